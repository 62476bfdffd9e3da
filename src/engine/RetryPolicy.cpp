// The back-off rule.
#include "RetryPolicy.h"

#include <algorithm>

std::optional<int> RetryPolicy::delayBeforeRetry(
    int retriesDone, int secondsWaited, std::optional<int> retryAfterSeconds) const
{
    if (retriesDone >= maxRetries) {
        return std::nullopt;
    }
    const long long asked = retryAfterSeconds
        ? *retryAfterSeconds
        : static_cast<long long>(firstDelaySeconds) << retriesDone;
    const long long delay = std::max<long long>(asked, minDelaySeconds);
    if (secondsWaited + delay > maxTotalSeconds) {
        return std::nullopt;
    }
    return static_cast<int>(delay);
}
