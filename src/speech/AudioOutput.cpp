// The sound server output over PulseAudio's simple interface, loaded with dlopen.
#include "AudioOutput.h"

#include "Exception.h"
#include "RuntimeLibrary.h"

#include <mutex>
#include <pulse/simple.h>

namespace {

struct Library
{
    decltype(&pa_simple_new) create = nullptr;
    decltype(&pa_simple_write) write = nullptr;
    decltype(&pa_simple_drain) drain = nullptr;
    decltype(&pa_simple_flush) flush = nullptr;
    decltype(&pa_simple_free) free = nullptr;
};

const Library* library()
{
    static Library loaded;
    static bool ready = false;
    static std::once_flag once;
    std::call_once(once, [] {
        RuntimeLibrary pulse("libpulse-simple.so.0");
        pulse.bind("pa_simple_new", loaded.create);
        pulse.bind("pa_simple_write", loaded.write);
        pulse.bind("pa_simple_drain", loaded.drain);
        pulse.bind("pa_simple_flush", loaded.flush);
        pulse.bind("pa_simple_free", loaded.free);
        ready = pulse.complete();
    });
    return ready ? &loaded : nullptr;
}

class PulseOutput : public AudioOutput
{
public:
    PulseOutput(const Library& library, pa_simple* stream)
        : m_library(library)
        , m_stream(stream)
    { }
    ~PulseOutput() override { m_library.free(m_stream); }

    bool write(const std::int16_t* samples, std::size_t count) override
    {
        int error = 0;
        return m_library.write(m_stream, samples, count * sizeof(std::int16_t), &error) == 0;
    }
    void drain() override
    {
        int error = 0;
        m_library.drain(m_stream, &error);
    }
    void discard() override
    {
        int error = 0;
        m_library.flush(m_stream, &error);
    }

private:
    const Library& m_library;
    pa_simple* m_stream;
};

} // namespace

std::unique_ptr<AudioOutput> AudioOutput::open(int rate)
{
    const Library* pulse = library();
    if (!pulse) {
        throw FeatureUnavailable("Reading aloud needs the PulseAudio client library: install the "
                                 "Debian package libpulse0.");
    }
    const pa_sample_spec format {PA_SAMPLE_S16LE, static_cast<std::uint32_t>(rate), 1};
    // A short buffer, so that stopping is heard at once.
    const std::uint32_t bytes = static_cast<std::uint32_t>(rate) / 5 * sizeof(std::int16_t);
    const pa_buffer_attr buffer {static_cast<std::uint32_t>(-1), bytes,
        static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1),
        static_cast<std::uint32_t>(-1)};
    int code = 0;
    pa_simple* stream = pulse->create(nullptr, "Quendra", PA_STREAM_PLAYBACK, nullptr,
        "Reading aloud", &format, nullptr, &buffer, &code);
    if (!stream) {
        throw FeatureUnavailable("There is no sound device to read aloud with.");
    }
    return std::make_unique<PulseOutput>(*pulse, stream);
}
