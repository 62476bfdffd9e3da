// Settings writes the window need not wait for (the direction, on every click): a thread of its
// own makes them, so that rewriting and syncing a large settings file never holds up the window,
// and a burst of writes to one key becomes one write of its last value.
#pragma once

#include <functional>
#include <string>

namespace DeferredWrites {

// Hands the write over and returns at once; a failed write goes to the failure handler.
void writeString(const std::string& fileName, const std::string& section, const std::string& key,
    const std::string& value);
// Waits until every write handed over has reached the file (or failed). Reading the file waits
// for this first, so that it never reads a value older than one already written.
void flush();

// Receives the IniWriteError's text of a failed write, on the writing thread. Set once for the
// program; without one, a failure is dropped.
void setFailureHandler(std::function<void(const std::string& message)> handler);

} // namespace DeferredWrites
