// Printing the output pane into a PDF printer and counting the pages that come out.
#include "PanePrint.h"

#include "Exception.h"
#include "PaneTestSupport.h"
#include "ViewPane.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class PanePrintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_styles.textStyle(0).fontName = "Arial";
        PanePrint::setPrinterFactory([this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setPageSize(QPageSize(QPageSize::A4));
            printer->setOutputFileName(m_pdf);
            return printer;
        });
    }
    void TearDown() override { PanePrint::setPrinterFactory({}); }

    void fillLines(int count)
    {
        m_pane.clear();
        for (int i = 0; i < count; ++i) {
            m_pane.setItemText(m_pane.addTextItem("", 0, 0, 0), QString("Line %1").arg(i));
        }
        m_pane.format();
    }

    int printedPages() const
    {
        const QByteArray pdf = TempFiles::read(m_pdf);
        return static_cast<int>(
            QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page\\b")));
    }

    PaneStyles m_styles;
    ViewPane m_pane {m_styles};
    TempFiles m_files;
    QString m_pdf = m_files.path("out.pdf");
    PanePrint m_print;
};

} // namespace

TEST_F(PanePrintTest, TwoHundredLinesFillTheExpectedPages)
{
    fillLines(200);
    m_print.assignSource(m_pane);
    m_print.formatPages();

    // A4 less 20 mm at top and bottom, less the pane's 5-pixel margins, in lines of 14-point text.
    QPrinter probe(QPrinter::HighResolution);
    const double dotsPerMM = probe.resolution() / 25.4;
    const double usable = (297 - 40) * dotsPerMM - 2 * 5 * probe.resolution() / 96.0;
    const double lineHeight = QFontMetricsF(m_styles.textStyle(0).font(), &probe).height();
    const int perPage = static_cast<int>(usable / lineHeight);
    EXPECT_EQ(m_print.pagesCount(), (200 + perPage - 1) / perPage);

    m_print.printDocument("Brennor Translator Pro", 1, false);
    EXPECT_EQ(printedPages(), m_print.pagesCount());
}

TEST_F(PanePrintTest, CopiesRepeatEveryPage)
{
    fillLines(100);
    m_print.assignSource(m_pane);
    m_print.formatPages();
    const int pages = m_print.pagesCount();
    ASSERT_GT(pages, 1);
    for (const bool collate : {false, true}) {
        m_print.printDocument("Brennor Translator Pro", 3, collate);
        EXPECT_EQ(printedPages(), 3 * pages) << collate;
    }
}

TEST_F(PanePrintTest, FormFeedStartsAPageAndEmptyPanePrintsNothing)
{
    ASSERT_TRUE(m_pane.loadTextFile(m_files.write("in.txt", "a\fb\fc"), 0, 0, true));
    m_pane.format();
    m_print.assignSource(m_pane);
    m_print.formatPages();
    EXPECT_EQ(m_print.pagesCount(), 3);

    fillLines(0);
    m_print.formatPages();
    EXPECT_EQ(m_print.pagesCount(), 0);
    m_print.printDocument("Brennor Translator Pro", 1, false);
    EXPECT_FALSE(QFile::exists(m_pdf));
}

TEST(PanePrintDefault, NoDefaultPrinterIsReported)
{
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer";
    }
    PaneStyles styles;
    ViewPane pane(styles);
    PanePrint print;
    print.assignSource(pane);
    try {
        print.formatPages();
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), "There is no default printer currently selected");
    }
}
