// The Options dialog: its controls as designed, filling them from Params and saving them on close.
#include "TfrmOptions.h"

#include "ErrorReport.h"
#include "Exception.h"
#include "FontsPage.h"
#include "FormLangRes.h"
#include "IniHelpers.h"
#include "IniWriteError.h"
#include "InterfaceLanguage.h"
#include "LabelFit.h"
#include "MessageBox.h"
#include "MsgLangRes.h"
#include "SingleLineValidator.h"
#include "SystemReason.h"
#include "TypingTableChoice.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtGlobal>

namespace {

TfrmOptions::ModalRunner& modalRunner()
{
    static TfrmOptions::ModalRunner runner;
    return runner;
}

void reportFailure(const Exception& error)
{
    reportError(QString::fromLocal8Bit(error.what()));
}

// Messages of the dialog, by name; a language file can replace their texts.
const QStringList DialogMessages = {
    QStringLiteral("strInfomation=Information"),
    QStringLiteral("strPortNotANumber=Port: \"%1\" is not a number from 1 to 65535"),
    QStringLiteral("strNotSaved=The settings cannot be saved."),
    QStringLiteral("strUnableToWriteBecause=Unable to write to %1: %2."),
    QStringLiteral("strKeepSettings=Keep them until the program ends?"),
};

constexpr int LowestPort = 1;
constexpr int HighestPort = 65535;

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

QString fromLocal(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}

std::string toLocal(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

void TfrmOptions::setModalRunner(ModalRunner runner)
{
    modalRunner() = std::move(runner);
}

void TfrmOptions::execute(QWidget* parent)
{
    TfrmOptions dialog(parent);
    if (modalRunner()) {
        modalRunner()(dialog);
    } else {
        dialog.exec();
    }
}

TfrmOptions::TfrmOptions(QWidget* parent)
    : TfrmRoot(parent)
{
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setFixedSize(457, 283);

    m_pageControl1 = place(new QTabWidget(this), "PageControl1", 8, 14, 438, 226);
    m_tsGeneral = new QWidget(m_pageControl1);
    m_tsGeneral->setObjectName("tsGeneral");
    m_pageControl1->addTab(m_tsGeneral, "General");
    m_chkAutoPaste
        = place(new QCheckBox("Auto paste from clipboard in source language.", m_tsGeneral),
            "chkAutoPaste", 10, 12, 407, 17);
    m_chkAutoCopy = place(new QCheckBox("Auto copy to clipboard in target language.", m_tsGeneral),
        "chkAutoCopy", 10, 35, 407, 17);
    m_chkAutoDirection
        = place(new QCheckBox("Choose the direction from the script of the text.", m_tsGeneral),
            "chkAutoDirection", 10, 177, 407, 17);
    m_rgLang = place(
        new QGroupBox("Infterface language setting", m_tsGeneral), "rgLang", 10, 67, 407, 55);
    m_labLang = place(
        new QLabel("Please select a default Language :", m_rgLang), "labLang", 12, 27, 187, 14);
    m_cmbLang = place(new QComboBox(m_rgLang), "cmbLang", 253, 23, 136, 22);
    m_chkHistory = place(new QCheckBox("Keep a history of translations.", m_tsGeneral),
        "chkHistory", 10, 131, 407, 17);
    m_chkHistoryReuse = place(
        new QCheckBox("Show a translation from the history instead of asking again.", m_tsGeneral),
        "chkHistoryReuse", 10, 154, 407, 17);
    // Each language in its own words; the item's data is the name the settings store.
    for (const QString& language : InterfaceLanguage::instance().available()) {
        m_cmbLang->addItem(InterfaceLanguage::instance().ownName(language), language);
    }

    m_tsConnection = new QWidget(m_pageControl1);
    m_tsConnection->setObjectName("tsConnection");
    m_pageControl1->addTab(m_tsConnection, "Connection");
    m_rgProxySettings = place(
        new QGroupBox("Proxy Settings", m_tsConnection), "rgProxySettings", 10, 7, 407, 178);
    m_rbNoProxy = place(new QRadioButton("No Proxy (direct connection)", m_rgProxySettings),
        "rbNoProxy", 29, 32, 218, 17);
    m_rbNoProxy->setChecked(true);
    m_rbManuallyProxy = place(new QRadioButton("Manually enter proxy settings", m_rgProxySettings),
        "rbManuallyProxy", 29, 68, 218, 17);
    m_labAddress = place(new QLabel("Address :", m_rgProxySettings), "labAddress", 28, 103, 51, 14);
    m_labAddress->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edtAddress = place(new QLineEdit(m_rgProxySettings), "edtAddress", 85, 100, 121, 22);
    m_labPort = place(new QLabel("Port :", m_rgProxySettings), "labPort", 240, 103, 31, 14);
    m_edtPort = place(new QLineEdit(m_rgProxySettings), "edtPort", 277, 100, 121, 22);
    m_labUserName
        = place(new QLabel("User name :", m_rgProxySettings), "labUserName", 13, 140, 66, 14);
    m_labUserName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_edtUserName = place(new QLineEdit(m_rgProxySettings), "edtUserName", 85, 136, 121, 22);
    m_labPassword
        = place(new QLabel("Password :", m_rgProxySettings), "labPassword", 212, 140, 59, 14);
    m_edtPassword = place(new QLineEdit(m_rgProxySettings), "edtPassword", 277, 136, 121, 22);
    m_edtPassword->setEchoMode(QLineEdit::Password);
    m_edtPassword->setStyleSheet("lineedit-password-character: 42");
    m_typingTable = std::make_unique<TypingTableChoice>(m_pageControl1);

    m_tsFonts = new FontsPage(m_pageControl1);
    m_pageControl1->addTab(m_tsFonts, "Fonts");

    m_btnDefault = place(new QPushButton("Default", this), "btnDefault", 12, 246, 75, 25);
    m_btnOk = place(new QPushButton("&OK", this), "btnOk", 285, 246, 75, 25);
    m_btnCancel = place(new QPushButton("Cancel", this), "btnCancel", 365, 246, 75, 25);
    for (QPushButton* button : {m_btnDefault, m_btnOk, m_btnCancel}) {
        button->setAutoDefault(false);
    }
    for (QLineEdit* edit : {m_edtAddress, m_edtPort, m_edtUserName, m_edtPassword}) {
        edit->setValidator(new SingleLineValidator(edit));
    }

    QList<QWidget*> tabOrder = {m_pageControl1, m_chkAutoPaste, m_chkAutoCopy, m_cmbLang,
        m_chkHistory, m_chkHistoryReuse, m_chkAutoDirection, m_rbNoProxy, m_rbManuallyProxy,
        m_edtAddress, m_edtPort, m_edtUserName, m_edtPassword};
    tabOrder << m_tsFonts->controls() << m_btnDefault << m_btnOk << m_btnCancel;
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    // Checking a radio button from code runs the handler too, as a click does.
    for (QRadioButton* button : {m_rbNoProxy, m_rbManuallyProxy}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                rbNoProxyClick();
            }
        });
    }
    connect(
        m_cmbLang, &QComboBox::activated, this, [this] { reported([this] { cmbLangChange(); }); });
    connect(m_btnDefault, &QPushButton::clicked, this, [this] { btnDefaultClick(); });
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfrmOptions::cancel);

    // The language components come last, once every control they translate exists; each runs its
    // pass when it becomes active.
    m_formLangRes1 = new FormLangRes(this);
    m_formLangRes1->setObjectName("FormLangRes1");
    m_formLangRes1->setLangFileName("English.ini");
    m_formLangRes1->setIgnoreEmptyString(true);
    m_formLangRes1->setAutoCreateMode(false);
    m_formLangRes1->setAddBracket(false);
    m_formLangRes1->setStringProperties({"Caption"});
    m_formLangRes1->setStringsProperties({"Tabs"});
    m_formLangRes1->setIgnoreControls({"rbTransNo2"});
    m_formLangRes1->setIgnoreFormCaption(true);
    m_formLangRes1->setIncludeListViewItems(false);
    m_formLangRes1->setIncludeListViewHead(true);
    m_formLangRes1->setIncludeTreeViewItems(false);
    m_formLangRes1->setActive(true);

    m_msgLangRes1 = new MsgLangRes(this);
    m_msgLangRes1->setObjectName("MsgLangRes1");
    m_msgLangRes1->setLangFileName("English.ini");
    m_msgLangRes1->setIgnoreEmptyString(false);
    m_msgLangRes1->setAutoCreateMode(false);
    m_msgLangRes1->setAddBracket(false);
    QStringList messages = DialogMessages;
    messages << QStringLiteral("frmOptions_Title=Options");
    m_msgLangRes1->setMsgList(messages);
    m_msgLangRes1->setActive(true);

    // Once the program has chosen an interface language, the dialog shows it, and follows every
    // later choice at once.
    if (!CurrentLangFile.empty()) {
        applyLanguageTexts();
    }
    connect(&InterfaceLanguage::instance(), &InterfaceLanguage::changed, this,
        &TfrmOptions::applyLanguageTexts);
    showOwnTexts();
    formCreate();
    m_pageControl1->setCurrentIndex(0);
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::showEvent(QShowEvent* event)
{
    TfrmRoot::showEvent(event);
    if (!event->spontaneous()) {
        showSettings();
    }
}

void TfrmOptions::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        cancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No button is the default: Enter presses only a button that has the focus, so Enter in
        // an edit never runs "Default" or closes the dialog.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        event->accept();
        return;
    default:
        TfrmRoot::keyPressEvent(event);
    }
}

void TfrmOptions::showSettings()
{
    m_chkAutoPaste->setChecked(Params.autoPaste);
    m_chkAutoCopy->setChecked(Params.autoCopy);
    m_chkAutoDirection->setChecked(Params.autoDirection);
    m_stored = Params;
    // Without a stored choice the list shows the language in use, and the choice stays empty
    // (following the system) until the user picks one.
    m_languageChoice = fromLocal(Params.displayLanguage);
    const QString shown = InterfaceLanguage::instance().resolve(m_languageChoice);
    m_cmbLang->setCurrentIndex(m_cmbLang->findData(shown));
    m_chkHistory->setChecked(Params.historyEnabled);
    m_chkHistoryReuse->setChecked(Params.historyReuse);
    // The stored proxy is shown in both modes (read-only when direct), so saving keeps it.
    (Params.noProxy ? m_rbNoProxy : m_rbManuallyProxy)->setChecked(true);
    m_edtAddress->setText(fromLocal(Params.address));
    m_edtPort->setText(fromLocal(Params.port));
    m_edtUserName->setText(fromLocal(Params.userName));
    m_edtPassword->setText(fromLocal(Params.password));
    rbNoProxyClick();
    m_typingTable->showSettings();
    m_shownFonts = loadPaneFonts();
    m_tsFonts->showFonts(m_shownFonts);
}

void TfrmOptions::setProxyEditsReadOnly(bool readOnly)
{
    const QColor background
        = QApplication::palette().color(readOnly ? QPalette::Button : QPalette::Base);
    for (QLineEdit* edit : {m_edtAddress, m_edtPort, m_edtUserName, m_edtPassword}) {
        edit->setReadOnly(readOnly);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, background);
        edit->setPalette(colours);
    }
}

void TfrmOptions::rbNoProxyClick()
{
    if (m_rbNoProxy->isChecked()) {
        setProxyEditsReadOnly(true);
    }
    if (m_rbManuallyProxy->isChecked()) {
        setProxyEditsReadOnly(false);
    }
}

void TfrmOptions::btnDefaultClick()
{
    m_chkAutoPaste->setChecked(false);
    m_chkAutoCopy->setChecked(false);
    m_chkAutoDirection->setChecked(true);
    // The default language follows the system.
    m_languageChoice.clear();
    m_cmbLang->setCurrentIndex(
        m_cmbLang->findData(InterfaceLanguage::instance().resolve(QString())));
    m_chkHistory->setChecked(true);
    m_chkHistoryReuse->setChecked(true);
    m_rbNoProxy->setChecked(true);
    m_typingTable->selectDefault();
    m_tsFonts->showFonts(PaneFonts {});
}

AppParams TfrmOptions::shownSettings() const
{
    // Text that went through the locale's encoding may not give back the bytes it came from.
    const auto valueOf = [](const QLineEdit* edit, const std::string& stored) {
        return edit->text() == fromLocal(stored) ? stored : toLocal(edit->text());
    };
    // Settings the dialog does not show (the direction, the history's size) stay as they are.
    AppParams shown = Params;
    shown.autoPaste = m_chkAutoPaste->isChecked();
    shown.autoCopy = m_chkAutoCopy->isChecked();
    shown.autoDirection = m_chkAutoDirection->isChecked();
    shown.displayLanguage = toLocal(m_languageChoice);
    shown.noProxy = m_rbNoProxy->isChecked();
    shown.address = valueOf(m_edtAddress, m_stored.address);
    shown.port = trimBlanks(valueOf(m_edtPort, m_stored.port));
    shown.userName = valueOf(m_edtUserName, m_stored.userName);
    shown.password = valueOf(m_edtPassword, m_stored.password);
    shown.historyEnabled = m_chkHistory->isChecked();
    shown.historyReuse = m_chkHistoryReuse->isChecked();
    return shown;
}

void TfrmOptions::saveSettings()
{
    const std::string& file = SettingsFileName;
    const AppParams shown = shownSettings();
    iniWriteInteger(file, "General", "Translator", 0);
    iniWriteBool(file, "General", "AutoPaste", shown.autoPaste);
    iniWriteBool(file, "General", "AutoCopy", shown.autoCopy);
    iniWriteBool(file, "General", "AutoDirection", shown.autoDirection);
    iniWriteString(file, "General", "DisplayLanguage", shown.displayLanguage);
    iniWriteBool(file, "Connection", "NoProxy", shown.noProxy);
    iniWriteString(file, "Connection", "Address", shown.address);
    iniWriteString(file, "Connection", "Port", shown.port);
    iniWriteString(file, "Connection", "UserName", shown.userName);
    iniWriteString(file, "Connection", "Password", shown.password);
    iniWriteBool(file, "History", "Enabled", shown.historyEnabled);
    iniWriteBool(file, "History", "Reuse", shown.historyReuse);
    m_typingTable->saveSettings();
    // The file has every value again; a direction change since goes to the file too.
    if (settingsHeldInMemory()) {
        iniWriteInteger(file, "General", "Direction", Params.direction);
        releaseSettingsHeldInMemory();
    }
    // The fonts go into the file only once they differ from what it held.
    if (m_tsFonts->fonts() != m_shownFonts) {
        savePaneFonts(m_tsFonts->fonts());
        m_shownFonts = m_tsFonts->fonts();
    }
}

void TfrmOptions::cmbLangChange()
{
    m_languageChoice = m_cmbLang->currentData().toString();
    saveSettings();
    applyLanguageFile();
}

void TfrmOptions::applyLanguageFile()
{
    // Every open window, this one included, follows the change.
    InterfaceLanguage& language = InterfaceLanguage::instance();
    language.setCurrent(language.resolve(m_languageChoice));
}

void TfrmOptions::applyLanguageTexts()
{
    // English first: a key the chosen file lacks keeps its English text.
    const QString english = InterfaceLanguage::instance().langFileName(InterfaceLanguage::English);
    const QString fileName = fromLocal(CurrentLangFile);
    for (LangRes* langRes :
        {static_cast<LangRes*>(m_formLangRes1), static_cast<LangRes*>(m_msgLangRes1)}) {
        langRes->setLangFileName(english);
        if (fileName != english) {
            langRes->setLangFileName(fileName);
        }
    }
    showOwnTexts();
}

void TfrmOptions::showOwnTexts()
{
    const QString prefix = QStringLiteral("frmOptions_Title=");
    for (const QString& line : m_msgLangRes1->msgList().lines()) {
        if (line.startsWith(prefix)) {
            setWindowTitle(line.mid(prefix.size()));
        }
    }
    fitLabelsToText(*this);
}

bool TfrmOptions::formClose()
{
    if (m_rbManuallyProxy->isChecked()) {
        for (QLineEdit* required : {m_edtAddress, m_edtPort}) {
            if (required->text().isEmpty()) {
                m_pageControl1->setCurrentWidget(m_tsConnection);
                required->setFocus();
                return false;
            }
        }
        if (!checkPort()) {
            return false;
        }
    }
    try {
        saveSettings();
        return true;
    } catch (const IniWriteError& error) {
        return offerToHoldSettings(error);
    } catch (const Exception& error) {
        reportFailure(error);
        return false;
    }
}

bool TfrmOptions::checkPort()
{
    const std::string port = trimBlanks(toLocal(m_edtPort->text()));
    const std::optional<std::int32_t> number = parseIniInteger(port);
    if (number && *number >= LowestPort && *number <= HighestPort
        && port.find_first_not_of("0123456789") == std::string::npos) {
        return true;
    }
    m_pageControl1->setCurrentWidget(m_tsConnection);
    m_edtPort->setFocus();
    m_edtPort->selectAll();
    reportFailure(Exception(toLocal(message("strPortNotANumber").arg(fromLocal(port)))));
    return false;
}

bool TfrmOptions::offerToHoldSettings(const IniWriteError& error)
{
    const QString text = QStringList {message("strNotSaved"),
        message("strUnableToWriteBecause")
            .arg(fromLocal(error.fileName()), systemReasonText(error.errorNumber())),
        message("strKeepSettings")}
                             .join(QStringLiteral("\n\n"));
    if (!MessageBox::askYesNo(text)) {
        return false;
    }
    holdSettingsInMemory(shownSettings());
    return true;
}

QString TfrmOptions::message(const char* name) const
{
    const QString prefix = QLatin1String(name) + u'=';
    for (const QString& line : m_msgLangRes1->msgList().lines()) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return {};
}

void TfrmOptions::cancel()
{
    m_cancelled = true;
    reject();
}

void TfrmOptions::done(int result)
{
    if (m_cancelled) {
        m_cancelled = false;
        TfrmRoot::done(QDialog::Rejected);
        return;
    }
    if (formClose()) {
        TfrmRoot::done(result);
    }
}

bool TfrmOptions::reported(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const Exception& error) {
        reportFailure(error);
        return false;
    }
}
