// The interface in Marathi: the shipped language files, what every window shows in them, nothing
// clipped, the choice in Options applied at once, and what a faulty language file leaves.
#include "FormLangRes.h"
#include "InterfaceLanguage.h"
#include "MainFormFixture.h"
#include "MessageBox.h"
#include "MessageTexts.h"
#include "MsgLangRes.h"
#include "SystemReason.h"
#include "TfrmAbout.h"
#include "TfrmOptions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cerrno>
#include <cstring>
#include <map>

namespace {

using Section = std::map<QString, QString>;
using LanguageFile = std::map<QString, Section>;

// Sections and keys as the language components read them; comments and blank lines skipped.
LanguageFile readLanguageFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    LanguageFile sections;
    QString section;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        sections[section][line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
    return sections;
}

// What the program shows against what a language file holds, one readable line each.
QStringList differences(const LanguageFile& shown, const LanguageFile& file)
{
    QStringList lines;
    for (const auto& [section, values] : shown) {
        const auto inFile = file.find(section);
        for (const auto& [key, text] : values) {
            const QString where = QStringLiteral("[") + section + QStringLiteral("] ") + key;
            if (inFile == file.end() || !inFile->second.count(key)) {
                lines.append(where + QStringLiteral(" missing; shown: ") + text);
            } else if (inFile->second.at(key) != text) {
                lines.append(where + QStringLiteral(" holds: ") + inFile->second.at(key)
                    + QStringLiteral("; shown: ") + text);
            }
        }
    }
    for (const auto& [section, values] : file) {
        const auto inShown = shown.find(section);
        for (const auto& [key, text] : values) {
            if (inShown == shown.end() || !inShown->second.count(key)) {
                lines.append(QStringLiteral("[") + section + QStringLiteral("] ") + key
                    + QStringLiteral(" is shown nowhere"));
            }
        }
    }
    return lines;
}

QString shippedFile(const char* language)
{
    return QStringLiteral(QUENDRA_SOURCE_DIR "/resources/lang/%1.ini").arg(language);
}

QStringList placeholdersOf(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList found;
    for (auto matches = placeholder.globalMatch(text); matches.hasNext();) {
        found.append(matches.next().captured());
    }
    found.sort();
    return found;
}

bool isDevanagari(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
        [](QChar c) { return c.unicode() >= 0x0900 && c.unicode() <= 0x097F; });
}

// A window's texts that are the same in every language: the product's name, and a one-letter
// symbol on a button.
bool isName(const QString& text)
{
    return text == QLatin1String("Quendra") || text.size() == 1;
}

// The texts a window shows, by control: labels, buttons, group box titles, tab texts, tool tips
// and menu items; empty ones left out.
std::map<QString, QString> shownTexts(const QWidget& form)
{
    std::map<QString, QString> texts;
    const auto add = [&texts](const QObject* object, const char* what, const QString& text) {
        if (!text.isEmpty() && !object->objectName().isEmpty()) {
            texts[object->objectName() + what] = text;
        }
    };
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        add(label, "", label->text());
    }
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        add(button, "", button->text());
    }
    for (const QGroupBox* box : form.findChildren<QGroupBox*>()) {
        add(box, "", box->title());
    }
    for (const QTabWidget* tabs : form.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            add(tabs->widget(i), "", tabs->tabText(i));
        }
    }
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        add(widget, ".hint", widget->toolTip());
    }
    for (const QAction* action : form.findChildren<QAction*>()) {
        add(action, "", action->text());
    }
    for (const QTreeWidget* list : form.findChildren<QTreeWidget*>()) {
        for (int column = 0; column < list->columnCount(); ++column) {
            add(list, qPrintable(QStringLiteral(".column%1").arg(column)),
                list->headerItem()->text(column));
        }
    }
    if (const auto* bar = form.findChild<QStatusBar*>()) {
        add(bar, "", bar->currentMessage());
    }
    add(&form, "", form.windowTitle());
    return texts;
}

// Where a control's text stands when it is drawn, and whether its ink stays inside the control.
void expectWholeTextShown(const QWidget& form)
{
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&form)) {
            continue;
        }
        const QFontMetrics metrics(label->font());
        const QRect ink = metrics.boundingRect(label->contentsRect(),
            static_cast<int>(label->alignment()) | Qt::TextShowMnemonic, label->text());
        EXPECT_TRUE(label->contentsRect().contains(ink))
            << label->objectName().toStdString() << " \"" << label->text().toStdString()
            << "\" needs " << ink.width() << "x" << ink.height() << " in " << label->width() << "x"
            << label->height();
        // Inside its parent too, or the window cuts it off.
        if (label->parentWidget()->testAttribute(Qt::WA_Resized)) {
            EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()))
                << label->objectName().toStdString();
        }
    }
    for (const QAbstractButton* button : form.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(&form)) {
            continue;
        }
        // A push or tool button's size hint adds room of its own; what matters is the text.
        const bool marked
            = qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button);
        const int textWidth
            = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
        const int needed = marked
            ? button->sizeHint().width()
            : textWidth + (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 4;
        EXPECT_LE(needed, button->width())
            << button->objectName().toStdString() << " \"" << button->text().toStdString() << "\"";
        EXPECT_LE(button->fontMetrics().height(), button->height())
            << button->objectName().toStdString();
    }
    for (const QGroupBox* box : form.findChildren<QGroupBox*>()) {
        if (!box->title().isEmpty()) {
            EXPECT_LT(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width())
                << box->objectName().toStdString();
        }
    }
}

class MarathiInterface : public MainFormFixture
{
protected:
    void TearDown() override
    {
        TfrmOptions::setModalRunner({});
        MainFormFixture::TearDown();
        InterfaceLanguage::instance().setFolder({});
        InterfaceLanguage::instance().setCurrent(InterfaceLanguage::English);
        QLocale::setDefault(QLocale::c());
    }

    TfrmMain& openIn(const char* language)
    {
        writeSettings(QByteArray("[General]\nDisplayLanguage=") + language + "\n");
        return open();
    }

    // The History window, opened as a user does.
    QWidget* openHistory()
    {
        QTest::keyClick(control<QWidget>("E1"), Qt::Key_H, Qt::ControlModifier);
        return m_form->findChild<QWidget*>("frmHistory");
    }

    // Runs the Options command; the runner drives the dialog and closes it.
    void runOptions(const std::function<void(TfrmOptions&)>& drive)
    {
        TfrmOptions::setModalRunner([&drive](TfrmOptions& dialog) {
            dialog.show();
            QApplication::processEvents();
            drive(dialog);
            dialog.done(QDialog::Accepted);
        });
        control<QMenu>("pmHelp")->findChild<QAction*>("miOptions")->trigger();
    }
};

TEST(LanguageFiles, HoldTheSameKeysAndAMarathiTextForEach)
{
    const LanguageFile english = readLanguageFile(shippedFile("English"));
    const LanguageFile marathi = readLanguageFile(shippedFile("Marathi"));
    const auto keysOf = [](const LanguageFile& file) {
        QStringList keys;
        for (const auto& [section, values] : file) {
            for (const auto& [key, value] : values) {
                keys.append(section + u'/' + key);
            }
        }
        return keys;
    };
    EXPECT_EQ(keysOf(english), keysOf(marathi));
    for (const auto& [section, values] : marathi) {
        for (const auto& [key, text] : values) {
            SCOPED_TRACE((section + u'/' + key + u'=' + text).toStdString());
            const auto inEnglish = english.find(section);
            if (inEnglish == english.end() || !inEnglish->second.count(key)) {
                continue;
            }
            const QString& englishText = inEnglish->second.at(key);
            EXPECT_TRUE(isDevanagari(text) || isName(text));
            EXPECT_EQ(placeholdersOf(text), placeholdersOf(englishText));
            // A key of the keyboard stays the same key in every language.
            EXPECT_EQ(text.count(u'&'), englishText.count(u'&'));
        }
    }
}

TEST_F(MarathiInterface, TheEnglishFileHoldsEveryTextOfEveryWindowExactlyAsBuilt)
{
    // Without language files every window shows the texts it is built with; each language
    // component then writes what it finds into an empty template, as a translator's template is
    // made.
    QTemporaryDir noLanguages;
    InterfaceLanguage::instance().setFolder(noLanguages.path());
    InterfaceLanguage::instance().setCurrent(InterfaceLanguage::English);
    const QString templateFile = m_folder.filePath("template.ini");
    const QString templateName
        = QDir(QCoreApplication::applicationDirPath()).relativeFilePath(templateFile);
    TfrmMain& main = open();
    TfrmAbout about;
    TfrmOptions options;
    QWidget* history = openHistory();
    ASSERT_NE(history, nullptr);
    for (QWidget* form : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&about),
             static_cast<QWidget*>(&options), history}) {
        const QList<LangRes*> components = form->findChildren<LangRes*>();
        EXPECT_FALSE(components.isEmpty()) << form->objectName().toStdString();
        for (LangRes* langRes : components) {
            langRes->setLangFileName(templateName);
            langRes->setAutoCreateMode(true);
        }
    }
    LanguageFile made = readLanguageFile(templateFile);
    // A window's font stays as the program sets it; the files hold no font.
    for (auto& [section, values] : made) {
        std::erase_if(values, [](const auto& entry) {
            return entry.first.contains(
                QRegularExpression(QStringLiteral("_Font(Name|Size|Charset)$")));
        });
    }
    LanguageFile english = readLanguageFile(shippedFile("English"));
    Section& messages = made["MessageTexts"];
    for (const QString& line : MessageTexts::englishLines()) {
        messages[line.section(u'=', 0, 0)] = line.section(u'=', 1);
    }
    EXPECT_EQ(differences(made, english).join(u'\n').toStdString(), "");
}

TEST_F(MarathiInterface, EveryWindowSpeaksMarathiAndShowsEachTextWhole)
{
    TfrmMain& main = openIn("Marathi");
    QWidget* history = openHistory();
    ASSERT_NE(history, nullptr);
    TfrmAbout about;
    std::map<QString, QString> shownInOptions;
    runOptions([&](TfrmOptions& options) {
        for (int page = 0; page < options.findChild<QTabWidget*>()->count(); ++page) {
            options.findChild<QTabWidget*>()->setCurrentIndex(page);
            expectWholeTextShown(options);
        }
        shownInOptions = shownTexts(options);
    });
    about.show();
    expectWholeTextShown(main);
    expectWholeTextShown(about);
    expectWholeTextShown(*history);

    for (const auto& texts :
        {shownTexts(main), shownTexts(about), shownInOptions, shownTexts(*history)}) {
        for (const auto& [control, text] : texts) {
            EXPECT_TRUE(isDevanagari(text) || isName(text))
                << control.toStdString() << " shows \"" << text.toStdString() << "\"";
        }
    }
    EXPECT_EQ(control<QAbstractButton>("rbEngToChn")->text(), "इंग्रजीमधून मराठीमध्ये भाषांतर करा");
    EXPECT_EQ(control<QLabel>("labFromLang")->text(), "इंग्रजी");
    EXPECT_TRUE(control<QStatusBar>("Bar")->currentMessage().startsWith("प्रताधिकार (C) 2010-"));
}

TEST_F(MarathiInterface, MessageBoxesAndTheKeyListHaveMarathiButtonsAndYesNoQuestions)
{
    openIn("Marathi");
    MessageBox::setHook({});
    // Presses the button captioned `press` in the box that comes up; returns the captions seen.
    const auto answer = [](const QString& press, const std::function<bool()>& ask, bool expected) {
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons()) {
                captions.append(button->text());
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == press) {
                    button->click();
                }
            }
        });
        EXPECT_EQ(ask(), expected) << press.toStdString();
        captions.sort();
        return captions;
    };
    const QString replace = QStringLiteral("The file /tmp/a.txt already exists. Replace it?");
    const auto confirmReplace
        = [&] { return MessageBox::confirm(replace, QStringLiteral("Replace")); };
    EXPECT_EQ(answer("बदला", confirmReplace, true), (QStringList {"बदला", "रद्द करा"}));
    EXPECT_EQ(answer("रद्द करा", confirmReplace, false), (QStringList {"बदला", "रद्द करा"}));
    const auto keep
        = [] { return MessageBox::askYesNo(QStringLiteral("Keep them until the program ends?")); };
    EXPECT_EQ(answer("होय", keep, true), (QStringList {"नाही", "होय"}));
    EXPECT_EQ(answer("नाही", keep, false), (QStringList {"नाही", "होय"}));
    const auto deleteAll = [] {
        return MessageBox::confirm(
            QStringLiteral("Delete every entry from the history? This cannot be undone."),
            QStringLiteral("Delete"));
    };
    EXPECT_EQ(answer("काढून टाका", deleteAll, true), (QStringList {"काढून टाका", "रद्द करा"}));
    const auto failure = [] { return MessageBox::show(QStringLiteral("Line too long"), 1) == 1; };
    EXPECT_EQ(answer("ठीक आहे", failure, true), QStringList {"ठीक आहे"});

    control<QMenu>("pmHelp")->findChild<QAction*>("miKeys")->trigger();
    auto* keys = m_form->findChild<QDialog*>("frmKeys");
    ASSERT_NE(keys, nullptr);
    QStringList buttons;
    for (const QAbstractButton* button : keys->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty()) {
            buttons.append(button->text());
        }
    }
    EXPECT_EQ(buttons, QStringList {"बंद करा"});
    keys->close();
}

TEST_F(MarathiInterface, CommonSystemReasonsAreMarathiWithTheSystemsWordsKept)
{
    openIn("Marathi");
    for (const int error : {ENOENT, EACCES, EPERM, EROFS, ENOSPC, EBUSY, EFBIG}) {
        const QString system = QString::fromLocal8Bit(std::strerror(error));
        const QString shown = systemReasonText(error);
        SCOPED_TRACE(shown.toStdString());
        EXPECT_TRUE(shown.endsWith(QStringLiteral(" (") + system + u')'));
        EXPECT_TRUE(isDevanagari(shown.section(QStringLiteral(" ("), 0, 0)));
    }
    EXPECT_EQ(systemReasonText(EXDEV), QString::fromLocal8Bit(std::strerror(EXDEV)));
    EXPECT_EQ(systemReasonText(0), "");
}

TEST_F(MarathiInterface, TheLanguagePickedInOptionsIsStoredAndShownAtOnceEverywhere)
{
    open();
    EXPECT_EQ(control<QAbstractButton>("btnTrans")->text(), "&Translate");
    runOptions([this](TfrmOptions& options) {
        auto* languages = options.findChild<QComboBox*>("cmbLang");
        EXPECT_TRUE(options.findChild<QGroupBox*>("rgLang")->isVisible());
        // Each language is listed in its own words.
        EXPECT_EQ(languages->currentText(), "English");
        ASSERT_GE(languages->findText("मराठी"), 0);
        languages->setFocus();
        // Pressed as a user does: the list moves to the next entry and that counts as a pick.
        QTest::keyClick(languages, Qt::Key_Down);
        EXPECT_EQ(languages->currentText(), "मराठी");
        EXPECT_EQ(options.windowTitle(), "पर्याय");
        EXPECT_EQ(options.findChild<QCheckBox*>("chkAutoPaste")->text(),
            "स्रोत भाषेतील मजकूर क्लिपबोर्डवरून आपोआप चिकटवा.");
        // The main window behind the dialog has followed already.
        EXPECT_EQ(control<QAbstractButton>("btnTrans")->text(), "भाषांतर करा (&T)");
        EXPECT_EQ(control<QMenu>("pmHelp")->findChild<QAction*>("miOptions")->text(), "पर्याय");
    });
    EXPECT_TRUE(settingsContent().contains("DisplayLanguage=Marathi"));
    EXPECT_EQ(control<QLabel>("labToLang")->text(), "मराठी");

    // And back: every text is English again, not a mixture.
    runOptions([](TfrmOptions& options) {
        auto* languages = options.findChild<QComboBox*>("cmbLang");
        EXPECT_EQ(languages->currentText(), "मराठी");
        languages->setFocus();
        QTest::keyClick(languages, Qt::Key_Up);
    });
    EXPECT_TRUE(settingsContent().contains("DisplayLanguage=English"));
    for (const auto& [control, text] : shownTexts(*m_form)) {
        EXPECT_FALSE(isDevanagari(text) && !isName(text))
            << control.toStdString() << " " << text.toStdString();
    }
    EXPECT_EQ(control<QAbstractButton>("rbChnToEng")->text(), "Translate Marathi to English");
}

TEST_F(MarathiInterface, WithoutAStoredChoiceAMarathiLocaleGivesMarathi)
{
    QLocale::setDefault(QLocale(QStringLiteral("mr_IN")));
    open();
    EXPECT_EQ(control<QGroupBox>("rgDirection")->title(), "भाषांतराची दिशा");
    EXPECT_FALSE(settingsContent().contains("DisplayLanguage"));
}

TEST_F(MarathiInterface, MessagesAndPaneLinesAreShownInMarathi)
{
    writeSettings("[General]\nDisplayLanguage=Marathi\n[Connection]\nNoProxy=0\nPort=eighty\n");
    open();
    EXPECT_EQ(
        m_messages.shown, (std::vector<ShownMessage> {{"'eighty' ही वैध पूर्णांक संख्या नाही.", 1}}));
}

TEST_F(MarathiInterface, AFaultyLanguageFileLeavesEnglishTextsNeverEmptyOnes)
{
    QTemporaryDir folder;
    QFile::copy(shippedFile("English"), folder.filePath("English.ini"));
    const auto write = [&folder](const char* name, const QByteArray& content) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    write("Partial.ini", "[TfrmMain]\nbtnTrans_Caption=भाषांतर करा (&T)\nlabFrom_Caption=\n");
    write("Empty.ini", "");
    static const char broken[] = "\xff\xfe\x00[\x01TfrmMain\n=\n\n=====\n[";
    write("Broken.ini", QByteArray(broken, sizeof broken - 1));
    InterfaceLanguage::instance().setFolder(folder.path());

    const std::map<QString, QString> english = shownTexts(open());
    for (const char* language : {"Partial", "Empty", "Broken", "Marathi"}) {
        SCOPED_TRACE(language);
        // Marathi is not in this folder: a stored choice without a file means English.
        writeSettings(QByteArray("[General]\nDisplayLanguage=") + language + "\n");
        m_form->refreshSettings();
        for (const auto& [control, text] : shownTexts(*m_form)) {
            const QString expected
                = std::string_view(language) == "Partial" && control == "btnTrans"
                ? QStringLiteral("भाषांतर करा (&T)")
                : english.at(control);
            EXPECT_EQ(text, expected) << control.toStdString();
        }
        EXPECT_EQ(shownTexts(*m_form).size(), english.size());
    }
}

} // namespace

TEST_F(MarathiInterface, LabelsGrownForTheirTextsKeepTheirSizeWhenTheWindowIsResized)
{
    TfrmMain& main = openIn("Marathi");
    // 100 wider and 60 taller: the promotion follows the right edge, the output pane's label
    // moves down with the pane, the input pane's stays.
    const std::pair<const char*, QPoint> labels[]
        = {{"lbl1", {100, 0}}, {"labFrom", {0, 0}}, {"labTo", {0, 30}}};
    for (const auto& [name, moved] : labels) {
        auto* label = control<QLabel>(name);
        const QRect fitted = label->geometry();
        ASSERT_GE(fitted.width(), label->sizeHint().width()) << name;
        main.resize(main.width() + 100, main.height() + 60);
        EXPECT_EQ(label->geometry(), fitted.translated(moved)) << name;
        main.resize(main.width() - 100, main.height() - 60);
        EXPECT_EQ(label->geometry(), fitted) << name;
    }
}
