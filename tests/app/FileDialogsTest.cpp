// The main window's file and print dialogs: the question before a file is replaced, the UTF-8
// text choice, the folder the next dialog starts in, printing through the print dialog, and a
// stored port with blanks around it.
#include "FileDialogs.h"

#include "MainFormFixture.h"
#include "PaneText.h"
#include "PrintCommands.h"
#include "ProxySettings.h"

#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileDialogsTest : public PaneFormFixture
{
protected:
    void TearDown() override
    {
        PrintCommands::setModalRunner({});
        PaneFormFixture::TearDown();
    }

    void save(const QString& fileName, int filter)
    {
        FileDialogs::setNextFileName(fileName, filter);
        output->setFocus();
        QTest::keyClick(output, Qt::Key_S, Qt::ControlModifier);
    }

    QTemporaryDir m_files;
};

} // namespace

TEST_F(FileDialogsTest, SavingAsksBeforeReplacingAndOffersUtf8Text)
{
    setPaneText(*output, QString::fromUtf8("नमस्कार\r\nhello"));
    const struct
    {
        const char* name;
        int filter;
        QByteArray bytes;
    } cases[] = {
        {"UTF-16 text", 0,
            QByteArray("\xFF\xFE", 2)
                + QByteArray::fromRawData(
                    reinterpret_cast<const char*>(u"नमस्कार\r\nhello"), 2 * 14)},
        {"UTF-8 text", 1, QByteArray("नमस्कार\nhello")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = m_files.filePath(QString::number(c.filter) + ".txt");
        save(file, c.filter);
        EXPECT_EQ(readFile(file), c.bytes);
        EXPECT_TRUE(m_messages.shown.empty());
    }

    // An existing file: Cancel keeps it as it was, OK replaces it.
    const QString existing = m_files.filePath("0.txt");
    const QByteArray before = readFile(existing);
    setPaneText(*output, "other text");
    for (const int answer : {MessageBox::Cancel, MessageBox::Ok}) {
        MessageCapture replies(answer);
        save(existing, 1);
        ASSERT_EQ(replies.shown.size(), 1u);
        EXPECT_EQ(replies.shown[0].text,
            QStringLiteral("The file %1 already exists. Replace it?").arg(existing));
        EXPECT_EQ(readFile(existing), answer == MessageBox::Ok ? "other text" : before);
    }
}

TEST_F(FileDialogsTest, TheNextDialogStartsInTheLastFolderAlsoAfterARestart)
{
    EXPECT_EQ(FileDialogs::startFolder(), QDir::homePath());
    QDir(m_files.path()).mkdir("texts");
    const QString folder = m_files.filePath("texts");
    setPaneText(*output, "hello");
    save(folder + "/a.txt", 0);
    EXPECT_EQ(FileDialogs::startFolder(), folder);
    EXPECT_TRUE(settingsContent().contains("LastFolder=" + folder.toLocal8Bit()));
}

TEST_F(FileDialogsTest, CtrlPPrintsThroughThePrintDialogToAPdfFile)
{
    QString text;
    for (int line = 0; line < 300; ++line) {
        text += QStringLiteral("Line %1 of a long translation\r\n").arg(line);
    }
    setPaneText(*output, text);
    const QString pdf = m_files.filePath("out.pdf");
    int pages = 0;
    PrintCommands::setModalRunner([&](QDialog& dialog) {
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        pages = print.maxPage();
        // As a user picks "Print to File (PDF)" and pages 2 to 3.
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(pdf);
        print.printer()->setPrintRange(QPrinter::PageRange);
        print.printer()->setFromTo(2, 3);
        return int(QDialog::Accepted);
    });
    QTest::keyClick(input, Qt::Key_P, Qt::ControlModifier);
    EXPECT_GT(pages, 3);
    const QByteArray bytes = readFile(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 2);
}

TEST(StoredPort, BlanksAroundTheNumberAreNoError)
{
    QTemporaryDir folder;
    QFile file(folder.filePath("Lingvane.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Connection]\r\nNoProxy=0\r\nAddress=127.0.0.1\r\nPort=\"3128 \"\r\n");
    file.close();
    MessageCapture messages;
    MainFormSetup setup;
    setup.settingsFolder = folder.path();
    setup.historyFile = folder.filePath("h.sqlite3").toStdString();
    Params = AppParams {};
    TfrmMain form(setup);
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form.proxyParams().proxyPort(), 3128);
}
