# make run: install what is missing, build, start Quendra.
# make test: install what is missing, build, run every test, then the HTTP and engine tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer (make test-sanitize runs only those).
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

PREFIX ?= /usr/local

.PHONY: all setup configure build run test test-sanitize test-package install package bench fuzz \
	format clean

all: build

setup:
	./scripts/setup

configure: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/quendra

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-sanitize

# The modules that read what peers send and the pictures users hand in, built apart with the
# sanitizers: only their test programs and what those link.
test-sanitize: setup
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
		-DQUENDRA_SANITIZE=ON
	cmake --build $(BUILD)-asan -j $(JOBS) --target http_tests engine_tests ocr_tests
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS) -R '^(http|engine|ocr)_tests$$'

# make install PREFIX=... (DESTDIR is honoured); make package: a Debian package in $(BUILD).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack

# The Debian package as Debian builds it (debian/), from a copy of the tree in $(BUILD)-deb so the
# checkout stays clean, without its tests (make test runs them); then lintian and hardening-check,
# where any error or warning fails. A compiler cache, when there is one, serves it too (debhelper
# moves HOME, where the cache's settings live). Control-flow protection is compiled in
# (-fcf-protection), but Debian 12's C start files carry no IBT/SHSTK mark, so no program linked
# there shows it: hardening-check is not asked for that one.
test-package: setup
	rm -rf $(BUILD)-deb
	mkdir -p $(BUILD)-deb/quendra $(BUILD)-deb/root
	git ls-files -z --cached --others --exclude-standard | \
		tar --null --files-from=- --ignore-failed-read -c | tar -x -C $(BUILD)-deb/quendra
	cd $(BUILD)-deb/quendra && \
		$(if $(wildcard /usr/lib/ccache),PATH=/usr/lib/ccache:$$PATH CCACHE_DIR=$$(ccache -k cache_dir)) \
		DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" dpkg-buildpackage -b -us -uc -Pnocheck
	lintian --pedantic --display-info --fail-on error,warning $(BUILD)-deb/quendra_*.changes
	dpkg-deb -x $(BUILD)-deb/quendra_*_$$(dpkg --print-architecture).deb $(BUILD)-deb/root
	hardening-check --nocfprotection $(BUILD)-deb/root/usr/bin/quendra \
		$(BUILD)-deb/root/usr/lib/*/quendra/*.so

bench: setup
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DQUENDRA_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	@echo "Benchmarks are in $(BUILD)-bench/bin"

fuzz: setup
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENDRA_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers
	@echo "Fuzz targets are in $(BUILD)-fuzz/bin"

format:
	find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz $(BUILD)-asan $(BUILD)-deb
