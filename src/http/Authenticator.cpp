// Authenticators chosen by a server's challenge.
#include "Authenticator.h"

#include "AsciiText.h"
#include "Base64.h"

std::unique_ptr<Authenticator> Authenticator::fromChallenges(
    const std::vector<std::string>& challenges)
{
    for (const std::string& challenge : challenges) {
        const std::string_view text = trimmed(challenge);
        const std::string_view scheme = text.substr(0, text.find(' '));
        if (equalsIgnoreCase(scheme, "Basic")) {
            return std::make_unique<BasicAuthenticator>();
        }
    }
    return nullptr;
}

std::string BasicAuthenticator::authorization(
    std::string_view username, std::string_view password) const
{
    std::string credentials(username);
    credentials += ':';
    credentials += password;
    return "Basic " + base64Encode(credentials);
}
