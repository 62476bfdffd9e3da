// The engine's texts under the names the language files give them.
#include "TranslationMessages.h"

#include "MessageTexts.h"
#include "TranslationFailure.h"
#include "TranslationTexts.h"

#include <QStringList>
#include <string>
#include <utility>

namespace {

QString line(const char* name, const char* englishText)
{
    return QString::fromLatin1(name) + u'=' + QString::fromUtf8(englishText);
}

} // namespace

void TranslationMessages::addToMessageTable()
{
    using namespace TranslationTexts;
    MessageTexts::instance().addKnownTexts({
        line("msgCannotReachHost", HostNotFound),
        line("msgCannotReachNetwork", Unreachable),
        line("msgNoAnswerInTime", TimedOut),
        line("msgClosedBeforeAnswer", ConnectionClosed),
        line("msgNoSecureConnection", SecureConnection),
        line("msgServiceRefused", Forbidden),
        line("msgServiceLimiting", RateLimited),
        line("msgServiceAsksPerson", Captcha),
        line("msgTextTooLong", TooLarge),
        line("msgServiceError", HttpStatus),
        line("msgServiceWebPage", WebPage),
        line("msgAnswerUnreadable", BadAnswer),
        line("msgNoTranslation", NoTranslation),
        line("msgTranslationFailed", OtherFailure),
        line("msgTranslationStopped", Stopped),
        line("msgPartFailed", PartFailed),
        line("msgRetryCountdown", RetryCountdown),
        line("msgRetryCountdownOne", RetryCountdownOne),
        line("msgPartProgress", PartProgress),
        line("msgStop", StopCaption),
        line("msgSwitchedToMarathi", SwitchedToMarathi),
        line("msgSwitchedToEnglish", SwitchedToEnglish),
    });
}

QString TranslationMessages::inLanguage(const std::string& englishText)
{
    return MessageTexts::instance().translate(QString::fromStdString(englishText));
}

QString TranslationMessages::reportOf(const TranslationFailure& failure)
{
    return QString::fromStdString(
        failure.reportText([](const std::string& text) { return inLanguage(text).toStdString(); }));
}
