// A program killed while it writes its history keeps every entry it had recorded: a child
// process records entries and reports each one after the call returned; the test kills it at a
// random moment, again and again on the same file, and looks for every reported entry.
#include "HistoryFixture.h"

#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::u16string sourceFor(int i, std::size_t length)
{
    const std::string number = std::to_string(i);
    return u"entry " + std::u16string(number.begin(), number.end()) + u" "
        + std::u16string(length, static_cast<char16_t>(u'अ' + i % 40));
}

std::u16string translationFor(int i)
{
    return u"नोंद " + sourceFor(i, 3);
}

// The child's whole life: record from first on, report each recorded number, never return.
[[noreturn]] void recordUntilKilled(const std::string& path, int first, int reportFd)
{
    std::mt19937 random(static_cast<unsigned>(first));
    HistoryStore store(path, {.limit = 100000});
    for (int i = first;; ++i) {
        store.record(sourceFor(i, random() % 20000), translationFor(i), "en", "mr");
        if (i % 5 == 0) {
            // Updates and deletes of older entries go through the same pages.
            store.record(u"scratch", translationFor(i), "en", "mr");
            if (const auto scratch = store.find(u"scratch", "en", "mr"); scratch && i % 10 == 0) {
                store.remove(scratch->id);
            }
        }
        if (store.state() != HistoryStore::State::Ready
            || ::write(reportFd, &i, sizeof i) != static_cast<ssize_t>(sizeof i)) {
            ::_exit(1);
        }
    }
}

} // namespace

using HistoryKillTest = HistoryFixture;

TEST_F(HistoryKillTest, EntriesRecordedBeforeAKillSurviveIt)
{
    std::mt19937 random(15);
    std::vector<std::pair<int, std::size_t>> reported; // number, length of its source
    int next = 0;
    for (int round = 0; round < 12; ++round) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            recordUntilKilled(m_path, next, fds[1]);
        }
        ::close(fds[1]);
        // Early rounds kill while the file is being created or opened.
        const int delayMs
            = round < 3 ? static_cast<int>(random() % 5) : static_cast<int>(random() % 80);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own in round " << round;
        int number = 0;
        std::mt19937 childLengths(static_cast<unsigned>(next));
        int expected = next;
        while (::read(fds[0], &number, sizeof number) == static_cast<ssize_t>(sizeof number)) {
            ASSERT_EQ(number, expected);
            reported.emplace_back(number, childLengths() % 20000);
            ++expected;
        }
        ::close(fds[0]);
        // Numbers the child may have recorded but not reported are used again by the next child.
        next = expected;
    }

    HistoryStore store(m_path);
    ASSERT_EQ(store.state(), HistoryStore::State::Ready);
    EXPECT_TRUE(store.takeNotices().empty());
    EXPECT_GT(reported.size(), 10u);
    for (const auto& [number, length] : reported) {
        const auto entry = store.find(sourceFor(number, length), "en", "mr");
        ASSERT_TRUE(entry) << "entry " << number << " was lost";
        EXPECT_EQ(entry->translation, translationFor(number));
    }
    EXPECT_EQ(queryText(m_path, "PRAGMA integrity_check"), "ok");
    runSql(m_path, "INSERT INTO entries_search (entries_search) VALUES ('integrity-check')");
}
