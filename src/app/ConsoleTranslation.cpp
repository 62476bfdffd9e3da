// The console translation.
#include "ConsoleTranslation.h"

#include "AppStartup.h"
#include "CommandLine.h"
#include "Direction.h"
#include "Exception.h"
#include "HttpClient.h"
#include "Params.h"
#include "ProxyFromSettings.h"
#include "TranslateText.h"
#include "TranslationSetup.h"

#include <QByteArray>
#include <string>

namespace {

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

} // namespace

int translateOnConsole(const ConsoleTranslationSetup& setup)
{
    const QString settingsProblem = AppStartup::useSettingsFile();
    if (!settingsProblem.isEmpty()) {
        // The defaults serve; the translation goes on.
        reportFailure(setup.errors, settingsProblem);
    }

    try {
        loadSettings();
        const QString text = sourceText(setup);
        if (text.isEmpty()) {
            return ExitSuccess;
        }
        // Without --from the direction is the stored one, or the one the text's script asks for
        // when the window would follow it too.
        std::u16string source = text.toStdU16String();
        const std::optional<Direction> fromScript
            = Params.autoDirection ? directionForScript(dominantScript(source)) : std::nullopt;
        const Direction direction = !setup.from.isEmpty()
            ? directionFromSourceCode(setup.from.toStdString())
                  .value_or(Direction::MarathiToEnglish)
            : fromScript.value_or(directionFromSetting(Params.direction));

        HttpClient client;
        applyProxyParams(Params, client.proxyParams());
        const std::string address = setup.serviceBaseAddress.empty()
            ? serviceAddressFromEnvironment()
            : setup.serviceBaseAddress;
        prepareRequestHeaders(client, address, false, true);
        // The window's way: long texts in parts, waits when the service limits requests.
        const CancelToken never;
        const TranslationOutcome outcome
            = translateText(client, translationJob(address, std::move(source), direction), never);
        if (!outcome.succeeded()) {
            reportFailure(setup.errors, QString::fromStdString(outcome.failure->reportText()));
            return ExitFailure;
        }
        QString result = QString::fromStdU16String(outcome.translation);
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
