// The console translation.
#include "ConsoleTranslation.h"

#include "AppPaths.h"
#include "CommandLine.h"
#include "Exception.h"
#include "HttpClient.h"
#include "InterpretResult.h"
#include "Params.h"
#include "ProxyFromSettings.h"
#include "RequestProfile.h"
#include "TranslationWorker.h"

#include <QByteArray>
#include <string>

namespace {

// The worker's host on the console: events are simply remembered, and the message a failed GET
// would show in a box is kept as the failure's cause.
class ConsoleHost : public TranslationHost
{
public:
    bool postEvent(TranslationEvent event) override
    {
        m_event = event;
        return true;
    }
    void showMessage(const std::string& text) override
    {
        if (m_shownMessage.empty()) {
            m_shownMessage = text;
        }
    }

    TranslationEvent event() const { return m_event; }
    const std::string& shownMessage() const { return m_shownMessage; }

private:
    TranslationEvent m_event = TranslationEvent::Failed;
    std::string m_shownMessage;
};

QByteArray readAll(std::FILE* input)
{
    QByteArray data;
    char chunk[65536];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, input)) > 0) {
        data.append(chunk, static_cast<qsizetype>(count));
    }
    return data;
}

// Lines end in CR LF, as the window sends a pane's text; the ends are trimmed as the window does.
QString sourceText(const ConsoleTranslationSetup& setup)
{
    QString text
        = setup.texts.isEmpty() ? QString::fromUtf8(readAll(setup.input)) : setup.texts.join(u' ');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text.trimmed();
}

void writeUtf8(std::FILE* file, QString text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
    std::fflush(file);
}

// One line on standard error: the transport's texts may hold line breaks.
void reportFailure(std::FILE* errors, const QString& reason)
{
    QString line = reason;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\n', u' ');
    writeUtf8(errors, QStringLiteral("quendra: ") + line.trimmed() + u'\n');
}

std::string serviceAddress(const ConsoleTranslationSetup& setup)
{
    if (!setup.serviceBaseAddress.empty()) {
        return setup.serviceBaseAddress;
    }
    const QByteArray fromEnvironment = qgetenv("QUENDRA_SERVICE_ADDRESS");
    return fromEnvironment.isEmpty() ? std::string(DefaultServiceBaseAddress)
                                     : fromEnvironment.toStdString();
}

} // namespace

int translateOnConsole(const ConsoleTranslationSetup& setup)
{
    const AppPaths::SettingsLocation settings = AppPaths::settingsFile();
    if (!settings.problem.isEmpty()) {
        // The defaults serve; the translation goes on.
        reportFailure(setup.errors, settings.problem);
    }
    SettingsFileName = settings.file.toLocal8Bit().toStdString();

    try {
        loadSettings();
        const QString text = sourceText(setup);
        if (text.isEmpty()) {
            return ExitSuccess;
        }
        const bool englishFirst
            = setup.from.isEmpty() ? Params.direction == 0 : setup.from == QStringLiteral("en");

        HttpClient client;
        applyProxyParams(Params, client.proxyParams());
        const std::string address = serviceAddress(setup);
        prepareRequestHeaders(client, address, false, true);
        ConsoleHost host;
        std::string answer;
        TranslationWorker::translate(host, client,
            {address, text.toStdU16String(), englishFirst ? "en" : "mr",
                englishFirst ? "mr" : "en"},
            answer);

        std::u16string translation;
        std::string message;
        const QString decoded = QString::fromUtf8(answer);
        interpretResult(std::u16string_view(reinterpret_cast<const char16_t*>(decoded.utf16()),
                            static_cast<std::size_t>(decoded.size())),
            false, translation, message);
        if (!host.shownMessage().empty()) {
            // A failed GET: its own text names the cause better than the empty answer does.
            message = host.shownMessage();
        }
        if (!message.empty() || host.event() == TranslationEvent::Failed) {
            reportFailure(setup.errors, QString::fromLocal8Bit(message));
            return ExitFailure;
        }
        QString result = QString::fromStdU16String(translation);
        result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!result.endsWith(u'\n')) {
            result += u'\n';
        }
        writeUtf8(setup.output, result);
        return ExitSuccess;
    } catch (const std::exception& failure) {
        reportFailure(setup.errors, QString::fromLocal8Bit(failure.what()));
        return ExitFailure;
    }
}
