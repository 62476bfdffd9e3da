// The Options dialog, built for real on the offscreen platform: what it shows, how it closes and
// what it writes.
#include "TfrmOptions.h"

#include "../ini/ScratchFolder.h"
#include "../ini/UnprivilegedScope.h"
#include "Exception.h"
#include "MessageCapture.h"
#include "PaneFonts.h"
#include "Params.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

const char* const ProxyEdits[] = {"edtAddress", "edtPort", "edtUserName", "edtPassword"};

class Options : public testing::Test
{
protected:
    void SetUp() override { SettingsFileName = m_folder.file("Lingvane.ini"); }

    void TearDown() override
    {
        TfrmOptions::setModalRunner({});
        Params = {};
        SettingsFileName.clear();
    }

    template <typename Widget> static Widget* child(QWidget& dialog, const char* name)
    {
        auto* widget = dialog.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QLineEdit* edit(QWidget& dialog, const char* name)
    {
        return child<QLineEdit>(dialog, name);
    }
    static void click(QWidget& dialog, const char* name)
    {
        child<QAbstractButton>(dialog, name)->click();
    }

    static void fillProxy(QWidget& dialog, const QString& address, const QString& port)
    {
        click(dialog, "rbManuallyProxy");
        edit(dialog, "edtAddress")->setText(address);
        edit(dialog, "edtPort")->setText(port);
        edit(dialog, "edtUserName")->setText("ana");
        edit(dialog, "edtPassword")->setText("s3cret");
    }

    ScratchFolder m_folder;
    // Every message box of the dialog, recorded; a test answers with a capture of its own.
    std::optional<MessageCapture> m_messages {std::in_place};
};

TEST_F(Options, ShowsTheSettingsWithTheProxyEditsReadOnlyInDirectMode)
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QColor window = QApplication::palette().color(QPalette::Base);
    const struct
    {
        const char* name;
        AppParams params;
        bool manual;
        const char* address;
    } cases[] = {
        {"no settings file",
            [] {
                loadSettings();
                return Params;
            }(),
            false, ""},
        {"manual proxy", {0, true, true, "", false, "proxy.local", "3128", "ana", "pw"}, true,
            "proxy.local"},
        {"direct, with a stored proxy",
            {0, false, false, "", true, "proxy.local", "3128", "ana", "pw"}, false, "proxy.local"},
    };
    for (const auto& test : cases) {
        Params = test.params;
        TfrmOptions dialog;
        dialog.show();
        EXPECT_EQ(
            child<QTabWidget>(dialog, "PageControl1")->currentWidget()->objectName(), "tsGeneral");
        EXPECT_EQ(child<QCheckBox>(dialog, "chkAutoPaste")->isChecked(), test.params.autoPaste)
            << test.name;
        EXPECT_EQ(child<QCheckBox>(dialog, "chkAutoCopy")->isChecked(), test.params.autoCopy)
            << test.name;
        EXPECT_EQ(child<QRadioButton>(dialog, "rbNoProxy")->isChecked(), !test.manual) << test.name;
        EXPECT_EQ(child<QRadioButton>(dialog, "rbManuallyProxy")->isChecked(), test.manual)
            << test.name;
        EXPECT_EQ(edit(dialog, "edtAddress")->text(), test.address) << test.name;
        for (const char* name : ProxyEdits) {
            QLineEdit* proxyEdit = edit(dialog, name);
            EXPECT_TRUE(proxyEdit->isEnabled()) << test.name << name;
            EXPECT_EQ(proxyEdit->isReadOnly(), !test.manual) << test.name << name;
            EXPECT_EQ(proxyEdit->palette().color(QPalette::Base), test.manual ? window : buttonFace)
                << test.name << name;
        }
    }
}

TEST_F(Options, TabOrderFollowsTheControls)
{
    TfrmOptions dialog;
    const QStringList expected = {"PageControl1", "chkAutoPaste", "chkAutoCopy", "cmbLang",
        "chkHistory", "chkHistoryReuse", "chkAutoDirection", "rbNoProxy", "rbManuallyProxy",
        "edtAddress", "edtPort", "edtUserName", "edtPassword", "btnDefault", "btnOk", "btnCancel"};
    QStringList order;
    for (QWidget* widget = dialog.findChild<QWidget*>("PageControl1");
         order.size() < expected.size() && widget; widget = widget->nextInFocusChain()) {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
    }
    EXPECT_EQ(order, expected);
}

TEST_F(Options, LabelsShowTheirWholeTextBesideTheirEdits)
{
    TfrmOptions dialog;
    // A right-aligned label keeps its right edge, any other its left edge; none runs into its
    // edit.
    const struct
    {
        const char* label;
        const char* edit;
        int edge;
        bool rightEdge;
    } cases[] = {
        {"labAddress", "edtAddress", 79, true},
        {"labPort", "edtPort", 240, false},
        {"labUserName", "edtUserName", 79, true},
        {"labPassword", "edtPassword", 212, false},
    };
    for (const auto& test : cases) {
        const QLabel* label = child<QLabel>(dialog, test.label);
        EXPECT_GE(label->width(), label->sizeHint().width()) << test.label;
        EXPECT_EQ(test.rightEdge ? label->x() + label->width() : label->x(), test.edge)
            << test.label;
        EXPECT_GE(label->x(), 0) << test.label;
        if (!test.rightEdge) {
            EXPECT_LE(label->x() + label->width(), child<QLineEdit>(dialog, test.edit)->x())
                << test.label;
        }
    }
}

TEST_F(Options, ClosingValidatesTheProxyAndSavesEveryKey)
{
    // Every case types user name "ana" and password "s3cret" into a manual proxy first.
    const auto saved = [](const char* autoCopy, const char* noProxy, const char* address,
                           const char* port, const char* autoDirection = "1") {
        return std::string("[General]\nTranslator=0\nAutoPaste=0\nAutoCopy=") + autoCopy
            + "\nAutoDirection=" + autoDirection
            + "\nDisplayLanguage=\n[Connection]\nNoProxy=" + noProxy + "\nAddress=" + address
            + "\nPort=" + port + "\nUserName=ana\nPassword=s3cret\n[History]\nEnabled=1\nReuse=1\n";
    };
    const struct
    {
        const char* name;
        const char* address;
        const char* port;
        void (*edit)(QWidget&);
        bool byCloseButton;
        const char* refusedFocus; // the edit that gets the focus when the close is refused
        std::string saved;
    } cases[] = {
        {"manual proxy without address", "", "8080", [](QWidget&) {}, false, "edtAddress", ""},
        {"manual proxy without port", "proxy.local", "", [](QWidget&) {}, true, "edtPort", ""},
        {"manual proxy, closed by the window's close button, the port trimmed", " ", " 3128 ",
            [](QWidget& d) { click(d, "chkAutoCopy"); }, true, nullptr,
            saved("1", "0", "\" \"", "3128")},
        {"back to direct after typing a proxy", "proxy.local", "8080",
            [](QWidget& d) { click(d, "rbNoProxy"); }, false, nullptr,
            saved("0", "1", "proxy.local", "8080")},
        {"Default, then OK", "proxy.local", "8080",
            [](QWidget& d) {
                click(d, "chkAutoPaste");
                click(d, "chkAutoCopy");
                click(d, "chkAutoDirection");
                click(d, "btnDefault");
            },
            false, nullptr, saved("0", "1", "proxy.local", "8080")},
        {"direction from the text turned off", "proxy.local", "8080",
            [](QWidget& d) {
                click(d, "rbNoProxy");
                click(d, "chkAutoDirection");
            },
            false, nullptr, saved("0", "1", "proxy.local", "8080", "0")},
    };
    for (const auto& test : cases) {
        std::filesystem::remove(SettingsFileName);
        Params = {};
        Params.noProxy = true;
        TfrmOptions dialog;
        dialog.show();
        fillProxy(dialog, test.address, test.port);
        test.edit(dialog);
        if (test.byCloseButton) {
            dialog.close();
        } else {
            click(dialog, "btnOk");
        }
        EXPECT_EQ(dialog.isVisible(), test.refusedFocus != nullptr) << test.name;
        if (test.refusedFocus) {
            EXPECT_EQ(child<QTabWidget>(dialog, "PageControl1")->currentWidget()->objectName(),
                "tsConnection")
                << test.name;
            EXPECT_EQ(dialog.focusWidget(), edit(dialog, test.refusedFocus)) << test.name;
            EXPECT_FALSE(std::filesystem::exists(SettingsFileName)) << test.name;
        } else {
            EXPECT_EQ(ScratchFolder::read(SettingsFileName), test.saved) << test.name;
        }
    }
    EXPECT_TRUE(m_messages->shown.empty());
}

TEST_F(Options, DirectModeKeepsTheStoredProxy)
{
    const std::string content
        = "[General]\nTranslator=0\nAutoPaste=1\nAutoCopy=0\nAutoDirection=0\nDisplayLanguage=\n"
          "[Connection]\nNoProxy=1\nAddress=proxy.local\nPort=3128\nUserName=ana\n"
          "Password=pw\n[History]\nEnabled=1\nReuse=1\n";
    ScratchFolder::write(SettingsFileName, content);
    loadSettings();
    TfrmOptions dialog;
    dialog.show();
    click(dialog, "btnOk");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ScratchFolder::read(SettingsFileName), content);
}

TEST_F(Options, AnUnwritableFileSaysWhereAndWhyAndCanKeepTheSettingsUntilTheEnd)
{
    for (const bool keep : {false, true}) {
        const std::string content = "[General]\nAutoPaste=1\n";
        ScratchFolder::write(SettingsFileName, content);
        ::chmod(SettingsFileName.c_str(), 0666);
        ::chmod(m_folder.path().c_str(), 0555);
        Params = {};
        Params.noProxy = true;
        m_messages.emplace(keep ? MessageBox::Ok : MessageBox::Cancel);
        TfrmOptions dialog;
        dialog.show();
        click(dialog, "chkAutoCopy");
        {
            UnprivilegedScope unprivileged;
            click(dialog, "btnOk");
        }
        ASSERT_EQ(m_messages->shown.size(), 1u) << keep;
        const QString where = QString::fromStdString("Unable to write to " + SettingsFileName);
        EXPECT_TRUE(m_messages->shown[0].text.contains(
            where + ": You do not have permission for this file or folder (Permission denied)."))
            << keep;
        EXPECT_EQ(m_messages->shown[0].kind, 3) << "a question, not an error";
        EXPECT_EQ(ScratchFolder::read(SettingsFileName), content) << keep;
        EXPECT_EQ(dialog.isVisible(), !keep) << keep;
        ::chmod(m_folder.path().c_str(), 0755);

        loadSettings();
        EXPECT_EQ(Params.autoCopy, keep) << "held values are what the program goes on with";
        if (keep) {
            // Direction changes go to the held values; a later good save writes them all.
            storeDirection(1);
            EXPECT_EQ(ScratchFolder::read(SettingsFileName), content);
            TfrmOptions again;
            again.show();
            Params.direction = 1;
            click(again, "btnOk");
            EXPECT_FALSE(settingsHeldInMemory());
            loadSettings();
            EXPECT_TRUE(Params.autoCopy);
            EXPECT_EQ(Params.direction, 1);
        } else {
            // Closing again once the folder is writable saves.
            dialog.close();
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_NE(ScratchFolder::read(SettingsFileName), content);
        }
        releaseSettingsHeldInMemory();
    }
}

TEST_F(Options, APortMustBeANumberAConnectionCanUse)
{
    const char* const badPorts[] = {"port", "0", "65536", "-1", "0x10", "31 28", "3128x"};
    for (const char* port : badPorts) {
        std::filesystem::remove(SettingsFileName);
        m_messages.emplace();
        Params = {};
        Params.noProxy = true;
        TfrmOptions dialog;
        dialog.show();
        fillProxy(dialog, "proxy.local", port);
        click(dialog, "btnOk");
        EXPECT_TRUE(dialog.isVisible()) << port;
        EXPECT_EQ(m_messages->shown,
            (std::vector<ShownMessage> {
                {QStringLiteral("Port: \"%1\" is not a number from 1 to 65535.").arg(port), 1}}))
            << port;
        EXPECT_EQ(dialog.focusWidget(), edit(dialog, "edtPort")) << port;
        EXPECT_FALSE(std::filesystem::exists(SettingsFileName)) << port;
    }
}

TEST_F(Options, PastedLineBreaksAreDropped)
{
    Params = {};
    Params.noProxy = true;
    TfrmOptions dialog;
    dialog.show();
    click(dialog, "rbManuallyProxy");
    const struct
    {
        const char* edit;
        QString clipboard;
        const char* expected;
    } cases[] = {
        {"edtPassword", "s3cret\n", "s3cret"},
        {"edtAddress", "\r\nproxy.\r\nlocal\r\n", "proxy.local"},
        {"edtPort", QString("31") + QChar::LineSeparator + "28", "3128"},
        {"edtUserName", "ana\rmaria", "anamaria"},
    };
    for (const auto& test : cases) {
        QApplication::clipboard()->setText(test.clipboard);
        QLineEdit* target = edit(dialog, test.edit);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(target->text().toStdString(), test.expected) << test.edit;
    }
    click(dialog, "btnOk");
    EXPECT_FALSE(dialog.isVisible());
    const std::string saved = ScratchFolder::read(SettingsFileName);
    EXPECT_NE(saved.find("Address=proxy.local\nPort=3128\nUserName=anamaria\nPassword=s3cret\n"),
        std::string::npos)
        << saved;
}

TEST_F(Options, UnchangedFieldsGoBackByteForByte)
{
    // Bytes that are no UTF-8: a Latin-1 address and a password of arbitrary bytes.
    const std::string stored
        = "[General]\nTranslator=0\nAutoPaste=0\nAutoCopy=0\n"
          "DisplayLanguage=\nAutoDirection=1\n[Connection]\nNoProxy=0\nAddress=caf\xe9.local\n"
          "Port=3128\nUserName=\xff\xfe\nPassword=p\x80\xc3w\n"
          "[History]\nEnabled=1\nReuse=1\n";
    const struct
    {
        const char* name;
        void (*edit)(QWidget&);
        std::string expected;
    } cases[] = {
        {"nothing changed", [](QWidget&) {}, stored},
        {"another field changed", [](QWidget& d) { click(d, "chkAutoPaste"); },
            [&] {
                std::string changed = stored;
                changed.replace(changed.find("AutoPaste=0"), 11, "AutoPaste=1");
                return changed;
            }()},
        {"the password retyped",
            [](QWidget& d) {
                edit(d, "edtPassword")->clear();
                QTest::keyClicks(edit(d, "edtPassword"), "new");
            },
            [&] {
                std::string changed = stored;
                changed.replace(changed.find("p\x80\xc3w"), 4, "new");
                return changed;
            }()},
    };
    for (const auto& test : cases) {
        ScratchFolder::write(SettingsFileName, stored);
        loadSettings();
        TfrmOptions dialog;
        dialog.show();
        test.edit(dialog);
        click(dialog, "btnOk");
        EXPECT_FALSE(dialog.isVisible()) << test.name;
        EXPECT_EQ(ScratchFolder::read(SettingsFileName), test.expected) << test.name;
    }
}

TEST_F(Options, EnterPressesOnlyAFocusedButtonAndEscCancels)
{
    const struct
    {
        Qt::Key key;
        const char* focus;
        bool closes;
        bool saves;
        bool resets; // "Default" ran: the manual proxy and the check box are undone
    } cases[] = {
        {Qt::Key_Escape, "edtAddress", true, false, false},
        {Qt::Key_Escape, "btnOk", true, false, false},
        {Qt::Key_Return, "edtAddress", false, false, false},
        {Qt::Key_Enter, "chkAutoPaste", false, false, false},
        {Qt::Key_Return, "btnDefault", false, false, true},
        {Qt::Key_Return, "btnOk", true, true, false},
        {Qt::Key_Return, "btnCancel", true, false, false},
        {Qt::Key_Space, "btnCancel", true, false, false},
    };
    for (const auto& test : cases) {
        std::filesystem::remove(SettingsFileName);
        Params.noProxy = true;
        TfrmOptions dialog;
        dialog.show();
        fillProxy(dialog, "proxy.local", "8080");
        click(dialog, "chkAutoPaste");
        QWidget* focus = child<QWidget>(dialog, test.focus);
        focus->setFocus();
        QTest::keyClick(focus, test.key);
        const std::string trace
            = QKeySequence(test.key).toString().toStdString() + " on " + test.focus;
        EXPECT_EQ(dialog.isVisible(), !test.closes) << trace;
        EXPECT_EQ(std::filesystem::exists(SettingsFileName), test.saves) << trace;
        EXPECT_EQ(child<QRadioButton>(dialog, "rbManuallyProxy")->isChecked(), !test.resets)
            << trace;
        EXPECT_EQ(child<QCheckBox>(dialog, "chkAutoPaste")->isChecked(), !test.resets) << trace;
    }
}

TEST_F(Options, CancelLeavesEvenADialogThatRefusesToClose)
{
    Params.noProxy = true;
    TfrmOptions dialog;
    dialog.show();
    fillProxy(dialog, "", "8080");
    click(dialog, "btnOk");
    ASSERT_TRUE(dialog.isVisible());
    click(dialog, "btnCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName));
}

TEST_F(Options, ExecuteRunsTheDialogAndSavesOnClose)
{
    Params.noProxy = true;
    bool ran = false;
    TfrmOptions::setModalRunner([&ran](TfrmOptions& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), "Options");
        dialog.show();
        click(dialog, "chkAutoPaste");
        click(dialog, "btnOk");
    });
    TfrmOptions::execute(nullptr);
    EXPECT_TRUE(ran);
    loadSettings();
    EXPECT_TRUE(Params.autoPaste);
}

TEST_F(Options, TakesItsTextsFromTheLanguageFileBesideTheExecutable)
{
    const std::string languageFile
        = QCoreApplication::applicationDirPath().toStdString() + "/English.ini";
    ASSERT_FALSE(std::filesystem::exists(languageFile)) << "left over from another run";
    const std::string content = "[TfrmOptions]\n"
                                "frmOptions_Caption=not this one\n"
                                "frmOptions_FontSize=12\n"
                                "chkAutoPaste_Caption=Paste by itself\n"
                                "chkAutoCopy_Caption=\n"
                                "tsConnection_Caption=<Network>\n"
                                "PageControl1_Tabs[0]=not this one\n"
                                "rgProxySettings_Caption=Proxy server\n"
                                "btnOk_Caption=&Done\n";
    ScratchFolder::write(languageFile, content);
    TfrmOptions dialog;
    const std::string after = ScratchFolder::read(languageFile);
    std::filesystem::remove(languageFile);

    auto* pages = child<QTabWidget>(dialog, "PageControl1");
    const struct
    {
        QString shown;
        QString expected;
    } texts[] = {
        {child<QCheckBox>(dialog, "chkAutoPaste")->text(), "Paste by itself"},
        // An empty value is no translation.
        {child<QCheckBox>(dialog, "chkAutoCopy")->text(),
            "Auto copy to clipboard in target language."},
        {pages->tabText(0), "General"},
        {pages->tabText(1), "Network"},
        {child<QGroupBox>(dialog, "rgProxySettings")->title(), "Proxy server"},
        {child<QPushButton>(dialog, "btnOk")->text(), "&Done"},
        // The dialog's own caption is left alone.
        {dialog.windowTitle(), "Options"},
    };
    for (const auto& text : texts) {
        EXPECT_EQ(text.shown.toStdString(), text.expected.toStdString());
    }
    EXPECT_EQ(dialog.font().pointSize(), 12);
    EXPECT_EQ(after, content);
}

TEST_F(Options, HistoryChecksShowFlipAndSaveTheHistorySettings)
{
    for (const bool enabled : {true, false}) {
        for (const bool reuse : {true, false}) {
            std::filesystem::remove(SettingsFileName);
            Params = {};
            Params.noProxy = true;
            Params.historyEnabled = enabled;
            Params.historyReuse = reuse;
            TfrmOptions dialog;
            dialog.show();
            auto* history = child<QCheckBox>(dialog, "chkHistory");
            auto* historyReuse = child<QCheckBox>(dialog, "chkHistoryReuse");
            EXPECT_EQ(history->isChecked(), enabled);
            EXPECT_EQ(historyReuse->isChecked(), reuse);
            QTest::keyClick(history, Qt::Key_Space);
            QTest::keyClick(historyReuse, Qt::Key_Space);
            click(dialog, "btnOk");
            loadSettings();
            EXPECT_EQ(Params.historyEnabled, !enabled);
            EXPECT_EQ(Params.historyReuse, !reuse);
        }
    }
    TfrmOptions dialog;
    dialog.show();
    click(dialog, "btnDefault");
    EXPECT_TRUE(child<QCheckBox>(dialog, "chkHistory")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(dialog, "chkHistoryReuse")->isChecked());
}

TEST_F(Options, FontsAreWrittenOnlyOnceTheUserChangedThem)
{
    ScratchFolder::write(SettingsFileName, "[Fonts]\nInputFontName=Mukta\nInputFontSize=18\n");
    loadSettings();
    TfrmOptions dialog;
    dialog.show();
    auto* pages = child<QTabWidget>(dialog, "PageControl1");
    pages->setCurrentWidget(child<QWidget>(dialog, "tsFonts"));
    auto* inputSize = child<QSpinBox>(dialog, "edtInputSize");
    auto* outputSize = child<QSpinBox>(dialog, "edtOutputSize");
    EXPECT_EQ(inputSize->value(), 18);
    EXPECT_EQ(outputSize->value(), DefaultPaneFontSize);

    // Typed as a user does: select the size and type another.
    outputSize->setFocus();
    QTest::keyClick(outputSize, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(outputSize, "22");
    click(dialog, "btnOk");
    EXPECT_EQ(loadPaneFonts(), (PaneFonts {{"Mukta", 18}, {"", 22}}));

    // "Default" brings the default fonts back; they are written on closing.
    TfrmOptions again;
    again.show();
    click(again, "btnDefault");
    EXPECT_EQ(child<QSpinBox>(again, "edtInputSize")->value(), DefaultPaneFontSize);
    click(again, "btnOk");
    EXPECT_EQ(loadPaneFonts(), PaneFonts {});
}

} // namespace
