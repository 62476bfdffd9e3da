// The console translation.
#include "ConsoleTranslation.h"

#include "AppStartup.h"
#include "CommandLine.h"
#include "Direction.h"
#include "Exception.h"
#include "HttpClient.h"
#include "PaneText.h"
#include "Params.h"
#include "ProxyFromSettings.h"
#include "TranslateText.h"
#include "TranslationSetup.h"

#include <QByteArray>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The window's limits: a file it opens, a text a pane takes.
constexpr qsizetype MaxInputBytes = qsizetype(64) << 20;
const char* const TooLargeText = "The text is larger than 64 MB and was not translated.";

// Standard input up to the limit; nothing past it is read.
QByteArray readAll(std::FILE* input)
{
    QByteArray data;
    char chunk[65536];
    std::size_t count = 0;
    while (
        data.size() <= MaxInputBytes && (count = std::fread(chunk, 1, sizeof chunk, input)) > 0) {
        data.append(chunk, static_cast<qsizetype>(count));
    }
    if (data.size() > MaxInputBytes) {
        throw Exception(TooLargeText);
    }
    return data;
}

// Lines end in CR LF, as the window sends a pane's text; the ends are trimmed as the window does.
QString sourceText(const ConsoleTranslationSetup& setup)
{
    QString text
        = setup.texts.isEmpty() ? QString::fromUtf8(readAll(setup.input)) : setup.texts.join(u' ');
    if (text.size() > MaxPaneTextLength) {
        throw Exception(TooLargeText);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text.trimmed();
}

// False when the bytes did not all reach the file.
bool writeUtf8(std::FILE* file, QString text)
{
    const QByteArray bytes = text.toUtf8();
    const auto size = static_cast<std::size_t>(bytes.size());
    return std::fwrite(bytes.constData(), 1, size, file) == size && std::fflush(file) == 0;
}

// The translation on standard output, which is closed after it: a full disk, a closed pipe or a
// failed close is a failure, not a success that lost the output.
void writeResult(std::FILE* output, const QString& result)
{
    errno = 0;
    const bool written = writeUtf8(output, result);
    const int error = errno;
    const bool closed = std::fclose(output) == 0;
    if (!written || !closed) {
        throw Exception(std::string("Could not write the translation to standard output: ")
            + std::strerror(written ? errno : error) + ".");
    }
}

bool outputWasClosed = false;

void requireOutput(std::FILE* output)
{
    if (output == stdout && outputWasClosed) {
        throw Exception(std::string("Could not write the translation to standard output: ")
            + std::strerror(EBADF) + ".");
    }
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

void guardStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            outputWasClosed = outputWasClosed || fd == STDOUT_FILENO;
            // open() takes the lowest free number: this one.
            ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
}

int translateOnConsole(const ConsoleTranslationSetup& setup)
{
    const QString settingsProblem = AppStartup::useSettingsFile();
    if (!settingsProblem.isEmpty()) {
        // The defaults serve; the translation goes on.
        reportFailure(setup.errors, settingsProblem);
    }

    try {
        requireOutput(setup.output);
        loadSettings();
        if (!settingsReadProblem().empty()) {
            // The file may name a proxy every request has to go through.
            throw Exception(settingsReadProblem() + " Nothing was sent.");
        }
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
        writeResult(setup.output, result);
        return ExitSuccess;
    } catch (const std::exception& failure) {
        reportFailure(setup.errors, QString::fromLocal8Bit(failure.what()));
        return ExitFailure;
    }
}
