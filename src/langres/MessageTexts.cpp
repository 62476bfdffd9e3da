// Known message texts and their translation at the moment they are shown.
#include "MessageTexts.h"

#include "InterfaceLanguage.h"
#include "MsgLangRes.h"

#include <QRegularExpression>

namespace {

QString textOf(const QString& line)
{
    return line.mid(line.indexOf(u'=') + 1);
}

const QRegularExpression& placeholder()
{
    static const QRegularExpression mark(QStringLiteral("%(\\d)"));
    return mark;
}

MessageTexts::Pattern patternOf(const QString& english)
{
    MessageTexts::Pattern pattern;
    QString expression = QStringLiteral("^");
    qsizetype from = 0;
    for (auto matches = placeholder().globalMatch(english); matches.hasNext();) {
        const QRegularExpressionMatch match = matches.next();
        expression += QRegularExpression::escape(english.mid(from, match.capturedStart() - from));
        expression += QStringLiteral("(.*)");
        pattern.placeholders.append(match.captured(1).toInt());
        from = match.capturedEnd();
    }
    pattern.prefix = english.left(english.indexOf(placeholder()));
    expression += QRegularExpression::escape(english.mid(from)) + u'$';
    pattern.expression.setPattern(expression);
    pattern.expression.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

} // namespace

MessageTexts& MessageTexts::instance()
{
    static MessageTexts texts;
    return texts;
}

const QStringList& MessageTexts::englishLines()
{
    return knownLines();
}

void MessageTexts::addKnownTexts(const QStringList& lines)
{
    QStringList& known = knownLines();
    const qsizetype before = known.size();
    for (const QString& line : lines) {
        if (!known.contains(line)) {
            known.append(line);
        }
    }
    if (known.size() != before) {
        retranslate();
    }
}

QStringList& MessageTexts::knownLines()
{
    static QStringList lines = {
        QStringLiteral("msgInvalidInteger='%1' is not a valid integer value"),
        QStringLiteral("msgResourceNotFound=Resource %1 not found"),
        QStringLiteral("msgUnableToWrite=Unable to write to %1"),
        QStringLiteral("msgNoDefaultPrinter=There is no default printer currently selected"),
        QStringLiteral("msgPrintJob=Unable to start the print job"),
        QStringLiteral("msgLineTooLong=Line too long"),
        QStringLiteral("msgUnknownFailure=Unknown failure"),
        QStringLiteral("msgConnectionClosed=Internet Connection Closed."),
        QStringLiteral("msgTimedOutBlocked=Connection timed out. ( Blocked? )"),
        QStringLiteral("msgEngineDisabled=Translate Engine disabled, Please try again later."),
        QStringLiteral("msgParseFailure=ERROR: Failed to parse translation results."),
        QStringLiteral("msgClosedGracefully=Connection Closed Gracefully."),
        QStringLiteral("msgSocketError=Socket Error # %1"),
        QStringLiteral("msgTimedOut=Connection timed out."),
        QStringLiteral("msgRefused=Connection refused."),
        QStringLiteral("msgReset=Connection reset by peer."),
        QStringLiteral("msgHostNotFound=Host not found."),
        QStringLiteral("msgNetworkUnreachable=Network is unreachable."),
        QStringLiteral("msgNoRoute=No route to host."),
        QStringLiteral("msgSslConnect=Error connecting with SSL."),
        QStringLiteral("msgDeleteEntry=Delete the selected entry from the history?"),
        QStringLiteral("msgDeleteAll=Delete every entry from the history? This cannot be undone."),
        QStringLiteral("msgHistoryNewer=The history file %1 was written by a newer version of "
                       "Quendra. History is off."),
        QStringLiteral("msgHistoryReadOnly=The history file %1 cannot be written. History is off."),
        QStringLiteral("msgHistoryNotRecorded=The history file %1 cannot be written. New "
                       "translations are not recorded."),
        QStringLiteral("msgHistoryDamagedKept=The history file %1 is damaged and could not be "
                       "renamed: %2. History is off."),
        QStringLiteral("msgHistoryRenamed=The history file %1 is damaged. It was renamed to %2 and "
                       "a new history was started."),
        QStringLiteral(
            "msgHistoryUnusable=The history file %1 cannot be used: %2. History is off."),
        QStringLiteral(
            "msgHistoryInUse=The history file %1 is in use by another program. History is paused."),
        QStringLiteral("msgFromHistoryUsed=From the history: last used %1, %2 times."),
        QStringLiteral("msgFromHistoryUsedOnce=From the history: last used %1, once."),
        QStringLiteral("msgTypingOn=Romanised typing: Latin keys type Marathi (Ctrl+M)"),
        QStringLiteral("msgSpeak=Read aloud (press again to stop)"),
        QStringLiteral("msgNoSoundDevice=There is no sound device to read aloud with."),
        QStringLiteral("msgOpenTitle=Open text file"),
        QStringLiteral("msgSaveTextTitle=Save text"),
        QStringLiteral("msgSaveTranslationTitle=Save translation"),
        QStringLiteral("msgTextFilter=Text files (*.txt)"),
        QStringLiteral("msgUtf8TextFilter=UTF-8 text files (*.txt)"),
        QStringLiteral("msgHtmlFilter=HTML files (*.html *.htm)"),
        QStringLiteral("msgAllFilter=All files (*)"),
        QStringLiteral("msgReplaceFile=The file %1 already exists. Replace it?"),
        QStringLiteral("msgPrintPreview=Print preview"),
        QStringLiteral("msgExportTitle=Export history"),
        QStringLiteral("msgCsvFilter=CSV files (*.csv)"),
        // The captions of the buttons message boxes and small windows show.
        QStringLiteral("msgButtonOk=OK"),
        QStringLiteral("msgButtonCancel=Cancel"),
        QStringLiteral("msgButtonYes=Yes"),
        QStringLiteral("msgButtonNo=No"),
        QStringLiteral("msgButtonClose=Close"),
        QStringLiteral("msgButtonReplace=Replace"),
        QStringLiteral("msgButtonDelete=Delete"),
        // Why the system refused a file operation.
        QStringLiteral("msgReasonNoSuchFile=There is no such file or folder"),
        QStringLiteral("msgReasonPermission=You do not have permission for this file or folder"),
        QStringLiteral("msgReasonReadOnly=The disk can only be read"),
        QStringLiteral("msgReasonDiskFull=The disk is full"),
        QStringLiteral("msgReasonBusy=The file is in use"),
        QStringLiteral("msgReasonTooLarge=The file is too large"),
    };
    return lines;
}

MessageTexts::MessageTexts()
    : m_langRes(new MsgLangRes(this))
{
    setObjectName(QStringLiteral("MessageTexts"));
    m_langRes->setObjectName(QStringLiteral("MsgLangRes1"));
    m_langRes->setAutoCreateMode(false);
    connect(&InterfaceLanguage::instance(), &InterfaceLanguage::changed, this,
        &MessageTexts::retranslate);
}

void MessageTexts::retranslate()
{
    m_stale = true;
}

void MessageTexts::readTranslation() const
{
    // Read when a message is first shown, not at start-up, and again after a change.
    if (!m_stale) {
        return;
    }
    m_stale = false;
    InterfaceLanguage& language = InterfaceLanguage::instance();
    m_langRes->setActive(false);
    m_langRes->setMsgList(englishLines());
    // English first: a key the chosen file lacks keeps its English text.
    m_langRes->setLangFileName(language.langFileName(InterfaceLanguage::English));
    m_langRes->setActive(true);
    if (language.current() != InterfaceLanguage::English) {
        m_langRes->setLangFileName(language.langFileName(language.current()));
    }
}

QString MessageTexts::translate(const QString& text) const
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n"));
    QStringList lines;
    qsizetype from = 0;
    for (auto breaks = lineBreak.globalMatch(text); breaks.hasNext();) {
        const QRegularExpressionMatch match = breaks.next();
        lines.append(translateLine(text.mid(from, match.capturedStart() - from)));
        lines.append(match.captured());
        from = match.capturedEnd();
    }
    lines.append(translateLine(text.mid(from)));
    return lines.join(QString());
}

const std::vector<MessageTexts::Pattern>& MessageTexts::patterns() const
{
    const QStringList& english = englishLines();
    // Made when first needed, not at start-up, and again when texts were added.
    while (m_patterns.size() < static_cast<std::size_t>(english.size())) {
        m_patterns.push_back(
            patternOf(textOf(english.at(static_cast<qsizetype>(m_patterns.size())))));
    }
    return m_patterns;
}

QString MessageTexts::translateLine(const QString& line) const
{
    readTranslation();
    const std::vector<Pattern>& english = patterns();
    const QStringList& translated = m_langRes->msgList().lines();
    for (qsizetype i = 0; i < translated.size() && i < static_cast<qsizetype>(english.size());
         ++i) {
        const Pattern& pattern = english[static_cast<std::size_t>(i)];
        // Most texts differ at their start; only the others need their expression compiled.
        if (!line.startsWith(pattern.prefix)) {
            continue;
        }
        const QRegularExpressionMatch match = pattern.expression.match(line);
        if (!match.hasMatch()) {
            continue;
        }
        // One pass over the translation, so a part that itself holds "%2" stays as it is.
        const QString translation = textOf(translated.at(i));
        QString result;
        qsizetype from = 0;
        for (auto marks = placeholder().globalMatch(translation); marks.hasNext();) {
            const QRegularExpressionMatch mark = marks.next();
            result += translation.mid(from, mark.capturedStart() - from);
            const qsizetype group = pattern.placeholders.indexOf(mark.captured(1).toInt());
            result += group < 0 ? mark.captured() : match.captured(static_cast<int>(group) + 1);
            from = mark.capturedEnd();
        }
        return result + translation.mid(from);
    }
    return line;
}
