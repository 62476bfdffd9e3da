// Authentication state kept by a request or by the proxy settings after a server or proxy asked
// for credentials, and the header value it produces.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Authenticator
{
public:
    virtual ~Authenticator() = default;

    // The scheme's name as it appears in a challenge, e.g. "Basic".
    virtual std::string scheme() const = 0;
    // The "Authorization" / "Proxy-Authorization" value for these credentials; empty when the
    // scheme has nothing to send.
    virtual std::string authorization(
        std::string_view username, std::string_view password) const = 0;

    // An authenticator for the first challenge whose first word names a scheme we support
    // (letter case ignored); nothing when none does.
    static std::unique_ptr<Authenticator> fromChallenges(
        const std::vector<std::string>& challenges);
};

class BasicAuthenticator : public Authenticator
{
public:
    std::string scheme() const override { return "Basic"; }
    // "Basic " + Base64 of "username:password".
    std::string authorization(std::string_view username, std::string_view password) const override;
};
