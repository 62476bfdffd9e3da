// json_bench: parses a generated service answer of about 1 MB and three general documents with
// our parser and, in the same run, with RapidJSON and nlohmann/json; prints MB/s of UTF-8 text
// and our ratio to each peer. Also times reading the answer against one parse of it.
//
//   json_bench [benchmark options]      throughput and ratios
//   json_bench --peak-memory            peak memory while parsing a 10 MB answer
//   json_bench --answer FILE            writes the generated 1 MB answer, e.g. for json-probe
#include "InterpretResult.h"
#include "ParseJson.h"
#include "ProcessStatus.h"
#include "Unicode.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <rapidjson/document.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// A service answer of the shape the program reads: [[[translation, source, null, null, 3],
// ...], null, "en"], with Marathi and English sentences, some line breaks and escapes.
std::string makeAnswer(std::size_t targetBytes)
{
    static const char* const marathi[] = {"सुप्रभात", "तुम्ही", "कसे", "आहात", "आज", "हवामान", "खूप",
        "छान", "आहे", "मला", "पुस्तक", "वाचायला", "आवडते", "आम्ही", "उद्या", "मुंबईला", "जाणार", "आहोत",
        "शाळा", "सकाळी", "सुरू", "होते", "त्याने", "पत्र", "लिहिले"};
    static const char* const english[] = {"good", "morning", "how", "are", "you", "today", "the",
        "weather", "is", "very", "nice", "I", "like", "to", "read", "books", "we", "will", "go",
        "to", "Mumbai", "tomorrow", "school", "starts", "early", "he", "wrote", "a", "letter"};
    std::mt19937 random(42);
    const auto sentence = [&](const char* const* words, std::size_t count) {
        std::string text;
        const int length = 6 + int(random() % 10);
        for (int i = 0; i < length; ++i) {
            if (i > 0) {
                text += ' ';
            }
            text += words[random() % count];
        }
        switch (random() % 8) {
        case 0:
            text += "\\n";
            break;
        case 1:
            text += " \\\"quoted\\\"";
            break;
        case 2:
            text += " \\u003d";
            break;
        default:
            break;
        }
        return text + ". ";
    };
    std::string answer = "[[";
    while (answer.size() < targetBytes) {
        if (answer.size() > 2) {
            answer += ',';
        }
        answer += "[\"" + sentence(marathi, std::size(marathi)) + "\",\""
            + sentence(english, std::size(english)) + "\",null,null,3]";
    }
    answer += "],null,\"en\"]";
    return answer;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The shared data beside the checkout; QUENDRA_SHARED_DATA names it for a checkout elsewhere.
std::string sharedDataDir()
{
    const char* dir = std::getenv("QUENDRA_SHARED_DATA");
    return dir && *dir ? dir : QUENDRA_SHARED_DATA_DIR;
}

struct Document
{
    std::string name;
    std::string utf8;
    std::u16string utf16;
};

std::vector<Document>& documents()
{
    static std::vector<Document> all = [] {
        std::vector<Document> list;
        list.push_back({"answer", makeAnswer(1 << 20), {}});
        for (const char* name : {"twitter", "citm_catalog", "canada"}) {
            list.push_back({name, readFile(sharedDataDir() + "/json-bench/" + name + ".json"), {}});
        }
        for (Document& document : list) {
            document.utf16 = Unicode::fromUtf8(document.utf8);
        }
        return list;
    }();
    return all;
}

void registerBenchmarks()
{
    for (const Document& document : documents()) {
        const auto bytes = std::int64_t(document.utf8.size());
        const auto add = [&](const std::string& parser, auto body) {
            benchmark::RegisterBenchmark(("parse/" + document.name + "/" + parser).c_str(),
                [&document, bytes, body](benchmark::State& state) {
                    for (auto _ : state) {
                        body(document);
                    }
                    state.SetBytesProcessed(state.iterations() * bytes);
                })
                ->Unit(benchmark::kMillisecond);
        };
        add("quendra", [](const Document& d) { benchmark::DoNotOptimize(parseJson(d.utf16)); });
        add("quendra+utf8", [](const Document& d) {
            benchmark::DoNotOptimize(parseJson(Unicode::fromUtf8(d.utf8)));
        });
        add("rapidjson", [](const Document& d) {
            rapidjson::Document dom;
            dom.Parse(d.utf8.data(), d.utf8.size());
            benchmark::DoNotOptimize(dom.HasParseError());
        });
        add("nlohmann",
            [](const Document& d) { benchmark::DoNotOptimize(nlohmann::json::parse(d.utf8)); });
    }
    benchmark::RegisterBenchmark("interpret/answer", [](benchmark::State& state) {
        const Document& answer = documents().front();
        std::u16string translation;
        std::string message;
        for (auto _ : state) {
            interpretResult(answer.utf16, false, translation, message);
            benchmark::DoNotOptimize(translation);
        }
        if (translation.empty() || !message.empty()) {
            state.SkipWithError("the generated answer did not read");
        }
    })->Unit(benchmark::kMillisecond);
}

// Keeps each run's time so that ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            // With repetitions the median stands for the benchmark.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!run.error_occurred && (run.run_type == Run::RT_Iteration || median)) {
                m_seconds[run.run_name.str()]
                    = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printRatios() const
    {
        std::printf("\n%-14s %10s %12s %10s %10s %14s %14s\n", "document", "MB", "quendra MB/s",
            "rapidjson", "nlohmann", "vs rapidjson", "vs nlohmann");
        for (const Document& document : documents()) {
            const double mb = double(document.utf8.size()) / 1e6;
            const auto speed = [&](const char* parser) {
                const auto found = m_seconds.find("parse/" + document.name + "/" + parser);
                return found == m_seconds.end() ? 0.0 : mb / found->second;
            };
            const double ours = speed("quendra");
            std::printf("%-14s %10.2f %12.0f %10.0f %10.0f %13.2fx %13.2fx\n",
                document.name.c_str(), mb, ours, speed("rapidjson"), speed("nlohmann"),
                ours / speed("rapidjson"), ours / speed("nlohmann"));
            std::printf("%-14s %10s %12.0f   (decoding the UTF-8 included)\n", "", "",
                speed("quendra+utf8"));
        }
        const auto interpret = m_seconds.find("interpret/answer");
        const auto parse = m_seconds.find("parse/answer/quendra");
        if (interpret != m_seconds.end() && parse != m_seconds.end()) {
            std::printf("\nreading the answer costs %.2f parses of it (goal: at most 3)\n",
                interpret->second / parse->second);
        }
    }

private:
    std::map<std::string, double> m_seconds;
};

// Runs one parse in a child process, so that its peak is not hidden by an earlier one.
template <class Parse> void measurePeak(const char* label, Parse parse)
{
    const pid_t child = fork();
    if (child == 0) {
        const std::string answer = makeAnswer(10 << 20);
        const long before = statusKb("VmRSS:");
        parse(answer);
        const long peak = statusKb("VmHWM:");
        const double mb = double(answer.size()) / (1 << 20);
        std::printf("%-34s text %.1f MiB, peak growth while parsing %6.1f MiB = %4.2f x the "
                    "text, peak of the process %6.1f MiB = %4.2f x\n",
            label, mb, (peak - before) / 1024.0, (peak - before) / 1024.0 / mb, peak / 1024.0,
            peak / 1024.0 / mb);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

int peakMemory()
{
    measurePeak("quendra (UTF-16 text made first)", [](const std::string& answer) {
        const std::u16string text = Unicode::fromUtf8(answer);
        const long before = statusKb("VmRSS:");
        const JsonValue value = parseJson(text);
        std::printf("  tree alone: %.1f MiB above the UTF-16 text\n",
            (statusKb("VmHWM:") - before) / 1024.0);
    });
    measurePeak("quendra reading the answer", [](const std::string& answer) {
        std::u16string translation;
        std::string message;
        interpretResult(Unicode::fromUtf8(answer), false, translation, message);
    });
    measurePeak("rapidjson", [](const std::string& answer) {
        rapidjson::Document dom;
        dom.Parse(answer.data(), answer.size());
    });
    measurePeak("nlohmann",
        [](const std::string& answer) { benchmark::DoNotOptimize(nlohmann::json::parse(answer)); });
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--peak-memory") == 0) {
        return peakMemory();
    }
    if (argc > 2 && std::strcmp(argv[1], "--answer") == 0) {
        std::ofstream(argv[2], std::ios::binary) << makeAnswer(1 << 20);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    registerBenchmarks();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
