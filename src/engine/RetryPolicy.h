// When a request the service refused for its limits is tried again: after the wait the service
// asked for (Retry-After), otherwise after a back-off that doubles from two seconds, and never
// sooner than a second; at most three retries of one request, and a minute of waiting in all for
// the whole translation, however many parts it goes out in.
#pragma once

#include <chrono>
#include <optional>

struct RetryPolicy
{
    int maxRetries = 3;
    int firstDelaySeconds = 2;
    // Also after "Retry-After: 0" or a date gone by: a service that refuses at once is not
    // asked again at once.
    int minDelaySeconds = 1;
    int maxTotalSeconds = 60;
    // How long one second of waiting lasts; tests shorten it so they never wait real seconds.
    std::chrono::milliseconds secondLength {1000};

    // Seconds to wait before the next try, after retriesDone retries of this request and
    // secondsWaited seconds of waiting in the translation so far; nothing when no further try is
    // allowed.
    std::optional<int> delayBeforeRetry(
        int retriesDone, int secondsWaited, std::optional<int> retryAfterSeconds) const;
};
