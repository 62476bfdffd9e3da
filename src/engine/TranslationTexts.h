// Every text a translation shows the user, in one place so that an interface language can
// replace them. UTF-8; "%1", "%2" stand for the values fillIn puts in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace TranslationTexts {

// What went wrong, in the user's words. %1 is the service's host.
inline constexpr const char* HostNotFound = "Could not reach %1: the host was not found.";
inline constexpr const char* Unreachable = "Could not reach %1: the connection was refused or "
                                           "the network is unreachable.";
inline constexpr const char* TimedOut = "%1 did not answer in time.";
inline constexpr const char* ConnectionClosed
    = "The connection to %1 was closed before the answer arrived.";
inline constexpr const char* SecureConnection = "A secure connection to %1 could not be made.";
inline constexpr const char* Forbidden
    = "The translation service refused the request. Please try again later.";
inline constexpr const char* RateLimited
    = "The translation service is limiting requests from this computer. Please try again later.";
inline constexpr const char* Captcha = "The translation service is limiting requests from this "
                                       "computer (it asks to prove that a person is asking). "
                                       "Please try again later.";
inline constexpr const char* TooLarge = "The text is too long for one request to the service.";
inline constexpr const char* HttpStatus = "The translation service answered with an error.";
inline constexpr const char* WebPage
    = "The translation service sent a web page instead of a translation.";
inline constexpr const char* BadAnswer = "The service's answer could not be read as a translation.";
inline constexpr const char* NoTranslation = "The service returned no translation.";
inline constexpr const char* OtherFailure = "The translation failed.";
inline constexpr const char* Stopped = "Translation stopped.";
// Put before the cause when a text went out in parts: %1 the part, %2 how many.
inline constexpr const char* PartFailed = "Part %1 of %2 could not be translated.";

// While the service is limiting requests: %1 seconds until the next try (the second text for one).
inline constexpr const char* RetryCountdown
    = "The service is limiting requests; trying again in %1 seconds (Stop cancels).";
inline constexpr const char* RetryCountdownOne
    = "The service is limiting requests; trying again in %1 second (Stop cancels).";
// The progress of a text sent in parts: %v and %m are the bar's own placeholders.
inline constexpr const char* PartProgress = "part %v of %m";
// The Translate button while a translation runs.
inline constexpr const char* StopCaption = "&Stop";
// Status bar notes when the direction followed the text.
inline constexpr const char* SwitchedToMarathi
    = "The text is in Latin letters: translating from English into Marathi.";
inline constexpr const char* SwitchedToEnglish
    = "The text is in Devanagari: translating from Marathi into English.";

// text with "%1", "%2", ... replaced by values[0], values[1], ...
std::string fillIn(std::string_view text, const std::vector<std::string>& values);

} // namespace TranslationTexts
