// Where synthesised samples are played: the sound server, reached through PulseAudio's simple
// interface (PipeWire serves it too), loaded at the first use. Writes block at the pace of
// playback, so they belong on a thread of their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // Blocks until the sound server has taken the samples; false when the device is gone.
    virtual bool write(const std::int16_t* samples, std::size_t count) = 0;
    // Waits until everything written has been heard.
    virtual void drain() = 0;
    // Drops what was written but not yet heard.
    virtual void discard() = 0;

    // Opens the default output for 16-bit mono at the rate; raises FeatureUnavailable when there is
    // no sound server or device.
    static std::unique_ptr<AudioOutput> open(int rate);
};
