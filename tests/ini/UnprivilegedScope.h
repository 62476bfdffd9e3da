// Runs a stretch of a test as an ordinary user, so file permissions apply even when the tests run
// as root. Outside root it changes nothing.
#pragma once

#include <sys/types.h>
#include <unistd.h>

class UnprivilegedScope
{
public:
    UnprivilegedScope()
        : m_dropped(::geteuid() == 0 && ::seteuid(NobodyId) == 0)
    { }

    ~UnprivilegedScope()
    {
        if (m_dropped) {
            [[maybe_unused]] const int restored = ::seteuid(0);
        }
    }

    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
    static constexpr uid_t NobodyId = 65534;
    bool m_dropped;
};
