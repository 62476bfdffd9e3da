// Open, Save and Print commands on real panes, with the file dialogs answered by the test.
#include "FileCommands.h"

#include "CodePages.h"
#include "EditPane.h"
#include "ErrorReport.h"
#include "Exception.h"
#include "FileDialogs.h"
#include "MessageCapture.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "TextFileOpen.h"
#include "ViewPane.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FileCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        PanePrint::setPrinterFactory([this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(m_pdf);
            m_printer = printer.get();
            return printer;
        });
    }
    void TearDown() override { PanePrint::setPrinterFactory({}); }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    PaneStyles m_styles;
    EditPane m_input {m_styles};
    ViewPane m_output {m_styles};
    PanePrint m_print;
    FileCommands m_commands {nullptr, m_input, m_output, m_print};
    QTemporaryDir m_dir;
    QString m_pdf = m_dir.filePath("print.pdf");
    MessageCapture m_messages;
    QPrinter* m_printer = nullptr;
};

} // namespace

TEST_F(FileCommandsTest, OpenAppendsToTheInputPane)
{
    setPaneText(m_input, "already here");
    const QString file = writeFile("in.txt", "one\r\ntwo\tthree\n");

    FileDialogs::setNextFileName(file);
    m_commands.open();
    FileDialogs::setNextFileName(file);
    m_commands.open();
    EXPECT_EQ(getPaneText(m_input),
        "already here\r\none\r\ntwo\r\n\r\nthree\r\n\r\none\r\ntwo\r\n\r\nthree");
    EXPECT_EQ(m_input.document()->firstBlock().text(), "already here");

    // Cancelling, or naming a file that cannot be read, changes nothing and says nothing.
    const int items = m_input.itemCount();
    for (const QString& answer : {QString(), m_dir.filePath("missing.txt")}) {
        FileDialogs::setNextFileName(answer);
        m_commands.open();
    }
    EXPECT_EQ(m_input.itemCount(), items);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(FileCommandsTest, OpenRefusesWhatThePanesCannotHoldAndKeepsThePane)
{
    QFile sparse(m_dir.filePath("huge.txt"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(TextFileOpen::MaxFileBytes + 1));
    sparse.close();
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary += char((i * 37) % 256);
    }
    const QByteArray longest(MaxPaneLineLength, 'x');
    const struct
    {
        QString file;
        QString message; // empty when the file opens
    } cases[] = {
        {sparse.fileName(), "huge.txt is larger than 64 MB and was not opened."},
        {writeFile("long.txt", "short\r\n" + longest + "y\r\nend"),
            "long.txt has a line longer than 65,535 characters and was not opened."},
        {writeFile("tail.txt", "short\r\n" + longest + "y"),
            "tail.txt has a line longer than 65,535 characters and was not opened."},
        {writeFile("image.png", binary), "image.png is not a text file and was not opened."},
        // The limits themselves still open, and a stray U+0000 is shown as "?".
        {writeFile("longest.txt", longest + "\r\n"), ""},
        {writeFile("nul.txt", QByteArray("a\0b\r\n", 5)), ""},
    };
    for (const auto& c : cases) {
        setPaneText(m_input, "kept");
        m_messages.shown.clear();
        FileDialogs::setNextFileName(c.file);
        runCommand([this] { m_commands.open(); });
        if (c.message.isEmpty()) {
            EXPECT_TRUE(m_messages.shown.empty()) << c.file.toStdString();
            EXPECT_GT(m_input.itemCount(), 1) << c.file.toStdString();
            continue;
        }
        EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{c.message, 1}}));
        EXPECT_EQ(getPaneText(m_input), "kept");
        EXPECT_EQ(m_input.toPlainText(), "kept");
    }
    EXPECT_EQ(m_input.getItemText(1), "a?b");
}

TEST_F(FileCommandsTest, AFileThatIsNoUtf8IsReadAsWindows1252AndSavedBackAsItWas)
{
    QWidget window;
    auto* bar = new QStatusBar(&window);
    FileCommands commands(&window, m_input, m_output, m_print);
    // Every byte 0x80-0x9F, the five Windows-1252 leaves undefined among them.
    QByteArray high;
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        high += char(byte);
    }
    const QByteArray latin = "caf\xe9 \xfc"
                             "ber\r\nna\xefve "
        + high;
    const QString file = writeFile("latin.txt", latin);
    FileDialogs::setNextFileName(file);
    runCommand([&] { commands.open(); });
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_TRUE(getPaneText(m_input).startsWith(QStringLiteral("café über\r\nnaïve €")))
        << getPaneText(m_input).toStdString();
    EXPECT_EQ(bar->currentMessage(),
        "latin.txt is no UTF-8 text and was read as Windows-1252; Save writes it in "
        "Windows-1252 again.");

    const QString copy = m_dir.filePath("copy.txt");
    FileDialogs::setNextFileName(copy);
    commands.save(0);
    EXPECT_EQ(readFile(copy), latin);
    // The user's choice of UTF-8 holds.
    FileDialogs::setNextFileName(copy, 1);
    commands.save(0);
    EXPECT_EQ(readFile(copy),
        (QStringLiteral("café über\nnaïve ") + CodePages::fromWindows1252(high)).toUtf8());
    // A character Windows-1252 lacks: the default UTF-16 keeps it.
    setPaneText(m_input, QStringLiteral("café नमस्ते"));
    FileDialogs::setNextFileName(copy);
    commands.save(0);
    EXPECT_EQ(readFile(copy), "\xFF\xFE" + CodePages::toUtf16Le(QStringLiteral("café नमस्ते")));

    // UTF-8 is read as UTF-8, without a word.
    bar->clearMessage();
    setPaneText(m_input, {});
    FileDialogs::setNextFileName(writeFile("utf8.txt", "café"));
    commands.open();
    EXPECT_EQ(getPaneText(m_input), "café");
    EXPECT_TRUE(bar->currentMessage().isEmpty());
}

TEST_F(FileCommandsTest, OpenRefusesAFifoOrDeviceWithAMessageAndTheWindowKeepsAnswering)
{
    const QString fifo = m_dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Should the load wait for a writer after all, this one comes after a while, so that the
    // test fails instead of hanging.
    std::atomic<bool> done {false};
    std::thread writer([&] {
        for (int waited = 0; waited < 10000 && !done; waited += 50) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
        }
    });
    const struct
    {
        QString file;
        QString message;
    } cases[] = {
        {fifo, "pipe is not a regular file (a FIFO, socket or device) and was not opened."},
        {"/dev/zero", "zero is not a regular file (a FIFO, socket or device) and was not opened."},
        {m_dir.path(),
            QFileInfo(m_dir.path()).fileName()
                + " is not a regular file (a FIFO, socket or device) and was not opened."},
    };
    for (const auto& c : cases) {
        setPaneText(m_input, "kept");
        m_messages.shown.clear();
        // Ticks of the GUI thread while the command runs.
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(10);
        QElapsedTimer elapsed;
        elapsed.start();
        FileDialogs::setNextFileName(c.file);
        runCommand([this] { m_commands.open(); });
        QTest::qWait(50);
        EXPECT_LT(elapsed.elapsed(), 5000) << c.file.toStdString();
        EXPECT_GT(ticks, 0);
        EXPECT_EQ(m_messages.shown, (std::vector<ShownMessage> {{c.message, 1}}));
        EXPECT_EQ(getPaneText(m_input), "kept");
    }
    // The command line's files take the same path.
    m_messages.shown.clear();
    runCommand([&] { m_commands.openFile(fifo); });
    EXPECT_EQ(m_messages.shown.size(), 1u);
    done = true;
    writer.join();
}

TEST_F(FileCommandsTest, OpenShowsProgressThatEscCancelsEvenWhileTheReadIsStuck)
{
    setPaneText(m_input, "kept");
    const QString file = writeFile("slow.txt", "one\r\ntwo\r\n");
    // The worker sleeps through the Cancel, as a read from a stuck device would.
    TextFileOpen::setReadDelayForTest(20000);
    QElapsedTimer elapsed;
    elapsed.start();
    QString label;
    // Waits for the progress box, then presses Esc on it.
    std::function<void()> pressEsc = [&] {
        auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            QTimer::singleShot(20, pressEsc);
            return;
        }
        label = box->labelText();
        QTest::keyClick(box, Qt::Key_Escape);
    };
    QTimer::singleShot(0, pressEsc);
    FileDialogs::setNextFileName(file);
    runCommand([this] { m_commands.open(); });
    TextFileOpen::setReadDelayForTest(0);
    EXPECT_LT(elapsed.elapsed(), 10000) << "the window waited for the stuck worker";
    EXPECT_EQ(label, "Opening slow.txt...");
    EXPECT_EQ(getPaneText(m_input), "kept");
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FileCommandsTest, SaveChoosesFormatByTheFinalExtension)
{
    setPaneText(m_input, "in");
    setPaneText(m_output, "a\r\nb");
    struct Case
    {
        int tag;
        const char* name;
        QByteArray expected;
    };
    const QByteArray outputText("\xFF\xFE"
                                "a\0\r\0\n\0b\0",
        10);
    const Case cases[] = {
        {1, "plain.txt", outputText},
        {1, "upper.TXT", outputText},
        {1, "mixed.Txt", outputText},
        {0, "input.txt",
            QByteArray("\xFF\xFE"
                       "i\0n\0",
                6)},
        {1, "page.html", "<title>page</title>"},
        {1, "a.b.html", "<title>a.b</title>"},
        {1, "short.htm", "<title>short</title>"},
        {1, "long.text", "<title>long</title>"},
        {1, "txt.txt.html", "<title>txt.txt</title>"},
        {1, "none", "<title>none</title>"},
    };
    for (const Case& c : cases) {
        const QString path = m_dir.filePath(c.name);
        FileDialogs::setNextFileName(path);
        m_commands.save(c.tag);
        const QByteArray written = readFile(path);
        if (c.expected.startsWith("<")) {
            EXPECT_TRUE(written.startsWith("<html><head>" + c.expected)) << c.name;
            EXPECT_TRUE(written.contains("<div>a</div>\r\n<div>b</div>")) << c.name;
        } else {
            EXPECT_EQ(written, c.expected) << c.name;
        }
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(FileCommandsTest, SaveAsksNothingForABlankPaneOrAnotherTag)
{
    setPaneText(m_input, " \r\n\t\r\n");
    setPaneText(m_output, "text");
    const int asked = FileDialogs::askedCount();
    m_commands.save(0);
    m_commands.save(2);
    m_commands.save(-1);
    EXPECT_EQ(FileDialogs::askedCount(), asked);

    FileDialogs::setNextFileName(QString());
    m_commands.save(1);
    EXPECT_EQ(FileDialogs::askedCount(), asked + 1);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(FileCommandsTest, FailedSaveIsReported)
{
    setPaneText(m_output, "text");
    for (const char* name : {"no-folder/out.txt", "no-folder/out.html"}) {
        m_messages.shown.clear();
        const QString path = m_dir.filePath(name);
        FileDialogs::setNextFileName(path);
        m_commands.save(1);
        EXPECT_EQ(m_messages.shown,
            (std::vector<ShownMessage> {{"Unable to write to " + path + ".", 1}}));
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(getPaneText(m_output), "text");
}

TEST_F(FileCommandsTest, PrintSendsOnlyTheOutputPane)
{
    setPaneText(m_input, "input text is never printed");
    m_commands.print();
    EXPECT_FALSE(QFile::exists(m_pdf));

    QStringList lines;
    for (int i = 0; i < 200; ++i) {
        lines << QString("line %1").arg(i);
    }
    setPaneText(m_output, lines.join("\r\n"));
    m_commands.print();
    const QString pdf = QString::fromLatin1(readFile(m_pdf));
    EXPECT_GT(m_print.pagesCount(), 1);
    EXPECT_EQ(pdf.count(QRegularExpression("/Type\\s*/Page\\b")), m_print.pagesCount());
    ASSERT_NE(m_printer, nullptr);
    EXPECT_EQ(m_printer->docName(), "Brennor Translator Pro");
    EXPECT_EQ(m_printer->copyCount(), 1);
}

TEST(FileCommandsPrinter, PrintWithoutDefaultPrinterFails)
{
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    PaneStyles styles;
    EditPane input(styles);
    ViewPane output(styles);
    PanePrint print;
    FileCommands commands(nullptr, input, output, print);
    setPaneText(output, "text");
    try {
        commands.print();
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "There is no default printer currently selected");
    }
}
