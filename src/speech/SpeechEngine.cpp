// espeak-ng behind SpeechEngine, loaded with dlopen so that starting the program never pays for
// the library and its sound libraries.
#include "SpeechEngine.h"

#include "Exception.h"
#include "RuntimeLibrary.h"

#include <espeak-ng/speak_lib.h>
#include <mutex>

namespace {

const char* const MissingLibrary = "Reading aloud needs the espeak-ng library and its voices: "
                                   "install the Debian packages libespeak-ng1 and espeak-ng-data.";

struct Library
{
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_SetSynthCallback) setSynthCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoiceByName = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
    int rate = 0;
};

// espeak-ng keeps one synthesiser per process: every use goes through this lock.
std::mutex engineLock;

// Loaded and initialised once, under engineLock; nullptr when that failed.
const Library* library()
{
    static Library loaded;
    static bool tried = false;
    static bool ready = false;
    if (!tried) {
        tried = true;
        RuntimeLibrary espeak("libespeak-ng.so.1");
        espeak.bind("espeak_Initialize", loaded.initialize);
        espeak.bind("espeak_SetSynthCallback", loaded.setSynthCallback);
        espeak.bind("espeak_SetVoiceByName", loaded.setVoiceByName);
        espeak.bind("espeak_Synth", loaded.synth);
        ready = espeak.complete();
        if (ready) {
            loaded.rate = loaded.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, 0);
            ready = loaded.rate > 0;
        }
    }
    return ready ? &loaded : nullptr;
}

struct Job
{
    const SpeechEngine::Sink* sink;
    bool stopped = false;
};

int collect(short* samples, int count, espeak_EVENT* events)
{
    auto* job = static_cast<Job*>(events ? events->user_data : nullptr);
    if (!job || job->stopped) {
        return 1;
    }
    if (samples && count > 0
        && !(*job->sink)(
            reinterpret_cast<const std::int16_t*>(samples), static_cast<std::size_t>(count))) {
        job->stopped = true;
        return 1;
    }
    return 0;
}

// The library with the language's voice set; the caller holds the engine lock.
const Library& useVoice(const std::string& language)
{
    const Library* engine = library();
    if (!engine) {
        throw FeatureUnavailable(MissingLibrary);
    }
    if (engine->setVoiceByName(language.c_str()) != EE_OK) {
        throw FeatureUnavailable("There is no espeak-ng voice for the language \"" + language
            + "\": install the Debian package espeak-ng-data.");
    }
    return *engine;
}

} // namespace

void SpeechEngine::checkVoice(const std::string& language)
{
    const std::lock_guard lock(engineLock);
    useVoice(language);
}

int SpeechEngine::sampleRate()
{
    const std::lock_guard lock(engineLock);
    const Library* engine = library();
    return engine ? engine->rate : 0;
}

void SpeechEngine::synthesise(
    const std::string& text, const std::string& language, const Sink& sink)
{
    const std::lock_guard lock(engineLock);
    const Library& engine = useVoice(language);
    Job job {&sink};
    engine.setSynthCallback(&collect);
    const espeak_ERROR result = engine.synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
        espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, &job);
    if (result != EE_OK && !job.stopped) {
        throw Exception("The speech library could not read the text.");
    }
}
