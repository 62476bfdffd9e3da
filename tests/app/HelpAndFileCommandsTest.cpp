// The help menu, the promotion label and the file buttons reach their commands.
#include "FileDialogs.h"
#include "MainFormFixture.h"
#include "Pane.h"
#include "PaneText.h"
#include "ProxySettings.h"
#include "TfrmOptions.h"
#include "WebLinks.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

namespace {

class HelpAndFileCommandsTest : public MainFormFixture
{
protected:
    void SetUp() override
    {
        open();
        WebLinks::setOpenHook([this](const QUrl& url) { opened.push_back(url); });
    }
    void TearDown() override
    {
        WebLinks::setOpenHook({});
        TfrmOptions::setModalRunner({});
        MainFormFixture::TearDown();
    }

    void choose(const char* item)
    {
        control<QMenu>("pmHelp")->findChild<QAction*>(item)->trigger();
    }

    std::vector<QUrl> opened;
};

} // namespace

TEST_F(HelpAndFileCommandsTest, LinksOpenTheirTargets)
{
    choose("miTry");
    QTest::mouseClick(control<QLabel>("lbl1"), Qt::LeftButton);
    choose("miWebSite");
    choose("miContactUs");
    EXPECT_EQ(opened,
        (std::vector<QUrl> {WebLinks::productPage(), WebLinks::productPage(), WebLinks::homePage(),
            WebLinks::contactMail()}));
}

TEST_F(HelpAndFileCommandsTest, AboutOpensAModalBoxEachTime)
{
    for (int opening = 0; opening < 2; ++opening) {
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        choose("miAbout");
        EXPECT_EQ(title, "About");
    }
}

TEST_F(HelpAndFileCommandsTest, OptionsAreReloadedAndAppliedAfterTheDialog)
{
    TfrmOptions::setModalRunner([](TfrmOptions& dialog) {
        dialog.show();
        dialog.findChild<QCheckBox*>("chkAutoCopy")->setChecked(true);
        dialog.findChild<QRadioButton*>("rbManuallyProxy")->setChecked(true);
        dialog.findChild<QLineEdit*>("edtAddress")->setText("proxy.lan");
        dialog.findChild<QLineEdit*>("edtPort")->setText("8080");
        dialog.done(QDialog::Accepted);
    });
    choose("miOptions");
    EXPECT_TRUE(Params.autoCopy);
    EXPECT_EQ(m_form->proxyParams().proxyServer(), "proxy.lan");
    EXPECT_EQ(m_form->proxyParams().proxyPort(), 8080);

    // A port that is no number is refused by the dialog, naming the field; the proxy in use stays.
    TfrmOptions::setModalRunner([](TfrmOptions& dialog) {
        dialog.show();
        dialog.findChild<QLineEdit*>("edtPort")->setText("eighty");
        dialog.done(QDialog::Accepted);
        EXPECT_TRUE(dialog.isVisible());
    });
    choose("miOptions");
    EXPECT_EQ(m_messages.shown,
        (std::vector<ShownMessage> {{"Port: \"eighty\" is not a number from 1 to 65535.", 1}}));
    EXPECT_EQ(m_form->proxyParams().proxyPort(), 8080);
}

TEST_F(HelpAndFileCommandsTest, OpenAndSaveButtonsUseTheirPanes)
{
    QFile source(m_folder.filePath("in.txt"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("from a file\r\n");
    source.close();
    FileDialogs::setNextFileName(source.fileName());
    QTest::mouseClick(control<QAbstractButton>("btnOpen"), Qt::LeftButton);
    EXPECT_EQ(getPaneText(*control<Pane>("E1")), "from a file");

    setPaneText(*control<Pane>("E2"), "result");
    const QString saved = m_folder.filePath("out.TXT");
    FileDialogs::setNextFileName(saved);
    QTest::mouseClick(control<QAbstractButton>("btnSave2"), Qt::LeftButton);
    QFile written(saved);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("\xFF\xFEr\0e\0s\0u\0l\0t\0", 14));
}

TEST_F(HelpAndFileCommandsTest, FilesFromTheCommandLineOpenIntoTheInputPaneInTurn)
{
    const auto write = [this](const char* name, const QByteArray& content) {
        QFile file(m_folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    const QString first = write("first.txt", "first\r\n");
    const QString second = write("second.txt", "\xEF\xBB\xBFsecond");
    const QString missing = m_folder.filePath("missing.txt");

    m_form->openFiles({first, missing, second});
    // Appended as the Open command appends: the first file's last line end stays.
    EXPECT_EQ(getPaneText(*control<Pane>("E1")), "first\r\n\r\nsecond");
    // The one that could not be read is named; the others still open.
    EXPECT_EQ(
        m_messages.shown, (std::vector<ShownMessage> {{"Unable to read " + missing + ".", 1}}));
}
