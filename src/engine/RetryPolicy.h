// When a request the service refused for its limits is tried again: after the wait the service
// asked for (Retry-After), otherwise after a back-off that doubles from two seconds; at most three
// retries and a minute of waiting in all.
#pragma once

#include <chrono>
#include <optional>

struct RetryPolicy
{
    int maxRetries = 3;
    int firstDelaySeconds = 2;
    int maxTotalSeconds = 60;
    // How long one second of waiting lasts; tests shorten it so they never wait real seconds.
    std::chrono::milliseconds secondLength {1000};

    // Seconds to wait before the next try, after retriesDone retries that waited secondsWaited in
    // all; nothing when no further try is allowed.
    std::optional<int> delayBeforeRetry(
        int retriesDone, int secondsWaited, std::optional<int> retryAfterSeconds) const;
};
