// The back-off rule.
#include "RetryPolicy.h"

std::optional<int> RetryPolicy::delayBeforeRetry(
    int retriesDone, int secondsWaited, std::optional<int> retryAfterSeconds) const
{
    if (retriesDone >= maxRetries) {
        return std::nullopt;
    }
    const long long delay = retryAfterSeconds
        ? *retryAfterSeconds
        : static_cast<long long>(firstDelaySeconds) << retriesDone;
    if (delay < 0 || secondsWaited + delay > maxTotalSeconds) {
        return std::nullopt;
    }
    return static_cast<int>(delay);
}
