// The panes' fonts in the main window: the stored choice reaches each pane, saved HTML pages and
// printing, and the zoom keys change the panes on screen only.
#include "PaneFonts.h"

#include "FileDialogs.h"
#include "MainFormFixture.h"
#include "PanePrint.h"
#include "PaneText.h"
#include "ViewPane.h"

#include <QPrinter>
#include <QToolButton>

namespace {

class PaneFontsTest : public MainFormFixture
{
protected:
    void TearDown() override
    {
        PanePrint::setPrinterFactory({});
        MainFormFixture::TearDown();
    }

    QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(PaneFontsTest, EachPaneShowsSavesAndPrintsInItsOwnFont)
{
    writeSettings("[Fonts]\nInputFontName=DejaVu Serif\nInputFontSize=20\nOutputFontSize=11\n");
    open();
    auto* input = control<QWidget>("E1");
    auto* output = control<QWidget>("E2");
    EXPECT_EQ(input->font().families(), paneFamilies("DejaVu Serif"));
    EXPECT_EQ(input->font().pointSize(), 20);
    EXPECT_EQ(output->font().families(), paneFamilies(QString()));
    EXPECT_EQ(output->font().pointSize(), 11);

    setPaneText(*control<ViewPane>("E2"), QStringLiteral("नमस्कार, Quendra"));
    const QString page = m_folder.filePath("out.html");
    FileDialogs::setNextFileName(page);
    QTest::mouseClick(control<QToolButton>("btnSave2"), Qt::LeftButton);
    const QByteArray html = readFile(page);
    // 11 points is HTML size 3.
    EXPECT_TRUE(html.contains("<font size=3 ")) << html.toStdString();
    EXPECT_TRUE(html.contains("face=\"" + paneFamilies(QString()).join(u',').toUtf8() + "\""))
        << html.toStdString();

    const QString pdf = m_folder.filePath("print.pdf");
    PanePrint::setPrinterFactory([&pdf] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
    QTest::mouseClick(control<QToolButton>("btnPrint"), Qt::LeftButton);
    const QByteArray printed = readFile(pdf);
    ASSERT_FALSE(printed.isEmpty());
    // The Devanagari letters are drawn in the pane's Devanagari font, embedded in the file.
    const QString devanagari = paneFamilies(QString()).last();
    EXPECT_TRUE(printed.contains(devanagari.toUtf8().replace(" ", ""))) << devanagari.toStdString();
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(PaneFontsTest, ZoomKeysResizeBothPanesOnScreenOnly)
{
    writeSettings("[Fonts]\nInputFontSize=12\nOutputFontSize=16\n");
    open();
    auto* input = control<QWidget>("E1");
    auto* output = control<QWidget>("E2");
    input->setFocus();
    const struct
    {
        Qt::Key key;
        int input;
        int output;
    } presses[] = {
        {Qt::Key_Plus, 14, 18},
        {Qt::Key_Equal, 16, 20},
        {Qt::Key_Minus, 14, 18},
        {Qt::Key_Minus, 12, 16},
        {Qt::Key_Minus, 10, 14},
        {Qt::Key_0, 12, 16},
    };
    for (const auto& press : presses) {
        QTest::keyClick(input, press.key, Qt::ControlModifier);
        EXPECT_EQ(input->font().pointSize(), press.input) << press.key;
        EXPECT_EQ(output->font().pointSize(), press.output) << press.key;
    }
    // Far past any sensible size, the text stays readable and the keys still work.
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(output, Qt::Key_Minus, Qt::ControlModifier);
    }
    EXPECT_GE(input->font().pointSize(), 4);
    QTest::keyClick(output, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(input->font().pointSize(), 4);

    // A zoomed pane saves its chosen size.
    setPaneText(*control<ViewPane>("E2"), QStringLiteral("text"));
    const QString page = m_folder.filePath("zoomed.html");
    FileDialogs::setNextFileName(page);
    QTest::mouseClick(control<QToolButton>("btnSave2"), Qt::LeftButton);
    // 16 points is HTML size 5.
    EXPECT_TRUE(readFile(page).contains("<font size=5 ")) << readFile(page).toStdString();
}

} // namespace
