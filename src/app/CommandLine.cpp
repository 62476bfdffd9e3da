// Reading the command line.
#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

namespace {

// Options QApplication reads and removes itself; the window still gets them.
const char* const ToolkitOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme",
    "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet",
    "display", "geometry", "name", "title", "visual", "qmljsdebugger"};
const char* const ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

// The option's name when argument is "-name", "--name" or either with "=value".
QString optionName(const QString& argument)
{
    if (!argument.startsWith(u'-') || argument == QStringLiteral("-")
        || argument == QStringLiteral("--")) {
        return {};
    }
    QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return name.left(name.indexOf(u'='));
}

QStringList withoutToolkitOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--")) {
            kept += arguments.mid(i);
            break;
        }
        const QString name = optionName(argument);
        const auto matches = [&](const char* option) { return name == QLatin1String(option); };
        if (i > 0 && std::any_of(std::begin(ToolkitFlags), std::end(ToolkitFlags), matches)) {
            continue;
        }
        if (i > 0
            && std::any_of(
                std::begin(ToolkitOptionsWithValue), std::end(ToolkitOptionsWithValue), matches)) {
            if (!argument.contains(u'=')) {
                ++i; // its value
            }
            continue;
        }
        kept += argument;
    }
    return kept;
}

struct Options
{
    QCommandLineOption help {{"h", "help"}, "Show this help and exit."};
    QCommandLineOption version {{"v", "version"}, "Show the program's version and exit."};
    QCommandLineOption translate {{"t", "translate"},
        "Translate TEXT (or standard input when no TEXT is given), print the translation and "
        "exit; no window opens."};
    QCommandLineOption from {{"f", "from"},
        "With --translate: the language of the text, en (English into Marathi) or mr (Marathi "
        "into English). Without it the direction of the window is used.",
        "language"};
    QCommandLineOption ocr {"ocr",
        "Read the text in each IMAGE (PNG, JPEG, WebP, TIFF, BMP, GIF) and print it; with "
        "--translate print its translation instead. No window opens."};
    QCommandLineOption ocrLanguages {"ocr-lang",
        "With --ocr: the languages to read, Tesseract's codes joined by + (default mar+eng, or "
        "the window's choice).",
        "languages"};
};

void describe(QCommandLineParser& parser, const Options& options)
{
    parser.setApplicationDescription(QStringLiteral(
        "Quendra translates between English and Marathi. Without --translate or --ocr it opens its "
        "window with the FILEs in the input pane."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.translate);
    parser.addOption(options.from);
    parser.addOption(options.ocr);
    parser.addOption(options.ocrLanguages);
    parser.addPositionalArgument(QStringLiteral("FILE|TEXT|IMAGE"),
        QStringLiteral("Text files to open, with --translate the text to translate, with --ocr "
                       "the pictures to read."),
        QStringLiteral("[FILE...] | --translate [--from en|mr] [TEXT...] | --ocr [--ocr-lang "
                       "mar+eng] [--translate] IMAGE..."));
}

// A usage error of --ocr and --ocr-lang; empty when there is none.
QString ocrProblem(const CommandLine& command, bool ocr, bool languagesGiven)
{
    static const QRegularExpression languageList(
        QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
    if (!ocr) {
        return languagesGiven ? QStringLiteral("Option '--ocr-lang' needs '--ocr'.") : QString();
    }
    if (command.arguments.isEmpty()) {
        return QStringLiteral("Option '--ocr' needs at least one IMAGE.");
    }
    if (languagesGiven && !languageList.match(command.ocrLanguages).hasMatch()) {
        return QStringLiteral("'%1' is no list of languages such as mar+eng.")
            .arg(command.ocrLanguages);
    }
    return {};
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    CommandLine result;
    if (!parser.parse(withoutToolkitOptions(arguments))) {
        result.action = Action::Error;
        result.error = parser.errorText();
        return result;
    }
    result.arguments = parser.positionalArguments();
    if (parser.isSet(options.help)) {
        result.action = Action::Help;
    } else if (parser.isSet(options.version)) {
        result.action = Action::Version;
    } else if (parser.isSet(options.ocr)) {
        result.action = Action::Ocr;
        result.translate = parser.isSet(options.translate);
    } else if (parser.isSet(options.translate)) {
        result.action = Action::Translate;
    }
    result.ocrLanguages = parser.value(options.ocrLanguages);
    const QString ocrError
        = ocrProblem(result, result.action == Action::Ocr, parser.isSet(options.ocrLanguages));
    if (!ocrError.isEmpty()) {
        result.action = Action::Error;
        result.error = ocrError;
        return result;
    }
    if (parser.isSet(options.from)) {
        result.from = parser.value(options.from);
        const bool untranslated = result.action == Action::Window
            || (result.action == Action::Ocr && !result.translate);
        if (untranslated) {
            result.action = Action::Error;
            result.error = QStringLiteral("Option '--from' needs '--translate'.");
        } else if (result.from != QStringLiteral("en") && result.from != QStringLiteral("mr")) {
            result.action = Action::Error;
            result.error = QStringLiteral("Unknown language '%1': use en or mr.").arg(result.from);
        }
    }
    return result;
}

QString CommandLine::helpText()
{
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    return parser.helpText();
}

QString CommandLine::usageText()
{
    const QString help = helpText();
    return help.left(help.indexOf(u'\n') + 1)
        + QStringLiteral("Try '%1 --help' for more information.\n")
              .arg(QCoreApplication::arguments().value(0, QStringLiteral("quendra")));
}
