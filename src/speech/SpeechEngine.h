// Speech synthesis with espeak-ng: text in, 16-bit mono samples out, handed over piece by piece as
// they are made. The library is loaded at the first use; without it, or without a voice for the
// language, synthesis reports what is missing. One synthesis runs at a time in the process.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class SpeechEngine
{
public:
    // Receives each piece of samples; returning false stops the synthesis.
    using Sink = std::function<bool(const std::int16_t* samples, std::size_t count)>;

    // "mr" or "en": raises FeatureUnavailable with what to install when the library or the voice
    // is missing.
    static void checkVoice(const std::string& language);
    // The rate of the samples synthesise hands over; 0 before the library is loaded.
    static int sampleRate();
    // Speaks UTF-8 text in the language into the sink, until done or stopped by the sink. Raises
    // FeatureUnavailable as checkVoice does, and Exception when the library fails.
    static void synthesise(const std::string& text, const std::string& language, const Sink& sink);
};
