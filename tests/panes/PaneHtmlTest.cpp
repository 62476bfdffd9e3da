// HTML pages of pane documents, compared byte for byte.
#include "PaneHtmlWriter.h"
#include "PaneTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr quint16 ProgramOptions = 0x4800;

const QByteArray Head
    = "<html><head><title>t</title>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
      "</head>\r\n"
      "<body bgcolor=\"#ffffff\" leftmargin=5 topmargin=5 rightmargin=5 "
      "bottommargin=5>\r\n";
const QByteArray FontOpen = "<font size=4 color=\"#000000\" face=\"Arial\">\r\n";
const QByteArray FontClose = "</font>\r\n";
const QByteArray Closing = "</body></html>\r\n";

QByteArray page(const PaneDocument& document, quint16 options, const QString& title = "t")
{
    return PaneHtmlWriter(document, QColor(255, 255, 255), QMargins(5, 5, 5, 5))
        .page(title, options);
}

// The style table as the running program has it after its first settings refresh.
PaneStyles runtimeStyles()
{
    PaneStyles styles;
    styles.textStyle(0).fontName = "Arial";
    return styles;
}

} // namespace

TEST(SaveHtmlFile, MixedDocumentMatchesFixture)
{
    const PaneStyles styles = runtimeStyles();
    PaneDocument document(styles);
    TempFiles files;
    const QString text
        = QString::fromUtf8("Hello  world & <tag> >\r\n lead and trail \r\ncol1\tcol2"
                            "\r\n\r\nनमस्ते 😀    x");
    ASSERT_TRUE(document.loadTextFile(files.write("in.txt", text.toUtf8()), 0, 0, true));
    for (const QString& paragraph : {QString("second paragraph"), QString(), QString(" ")}) {
        document.setItemText(document.addTextItem("", 0, 0, 0), paragraph);
    }
    EXPECT_EQ(page(document, ProgramOptions, "mixed"),
        TempFiles::read(QUENDRA_SOURCE_DIR "/tests/panes/data/mixed.html"));
}

TEST(SaveHtmlFile, OptionBitsSelectPartsAndDialect)
{
    const PaneStyles styles = runtimeStyles();
    PaneDocument empty(styles);
    PaneDocument twoLines(styles);
    twoLines.addTextItem("a", 0, 0, 0);
    twoLines.setItemText(twoLines.addTextItem("", 0, 0, 0), QString::fromUtf8("é"));
    twoLines.addTextItem("", 0, 0, 0);
    PaneItem lineBreak = twoLines.makeTextItem("c", 0);
    lineBreak.setLineBreak();
    twoLines.append(lineBreak);
    const QByteArray body = "<div>a</div>\r\n<div>\xC3\xA9</div>\r\n<div><br><br>\r\nc</div>\r\n";

    struct Case
    {
        const char* name;
        const PaneDocument& document;
        quint16 options;
        QByteArray expected;
    };
    const Case cases[] = {
        {"empty document", empty, ProgramOptions, Head + FontOpen + FontClose + Closing},
        {"whole page", twoLines, ProgramOptions, Head + FontOpen + body + FontClose + Closing},
        {"head only", twoLines, ProgramOptions | 0x0002, Head},
        {"body only", twoLines, ProgramOptions | 0x0004, FontOpen + body + FontClose},
        {"closing only", twoLines, ProgramOptions | 0x0008, Closing},
        {"no default font", twoLines, ProgramOptions | 0x0010, Head + body + Closing},
        {"xhtml", twoLines, ProgramOptions | 0x2000 | 0x0010,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<html><head><title>t</title>\r\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
            "</head>\r\n"
            "<body bgcolor=\"#ffffff\" leftmargin=\"5\" topmargin=\"5\" rightmargin=\"5\" "
            "bottommargin=\"5\">\r\n"
            "<div>a</div>\r\n<div>\xC3\xA9</div>\r\n<div><br /><br />\r\nc</div>\r\n"
                + Closing},
        {"ascii with references", twoLines, 0x0800 | 0x0004 | 0x0010,
            "<div>a</div>\r\n<div>&#233;</div>\r\n<div><br><br>\r\nc</div>\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(page(c.document, c.options), c.expected) << c.name;
    }
}

TEST(SaveHtmlFile, OtherStylesWriteOnlyTheirDifferences)
{
    PaneStyles styles = runtimeStyles();
    styles.textStyle(6).htmlCode = true;
    PaneDocument document(styles);
    struct Case
    {
        int style;
        QByteArray expected;
    };
    const Case cases[] = {
        {1, "<font size=2 color=\"#0000ff\"><b>x &amp; y</b></font>"},
        {3, "<font size=2 color=\"#800000\"><i>x &amp; y</i></font>"},
        {4, "<font color=\"#0000b3\" face=\"Tahoma\"><u>x &amp; y</u></font>"},
        {6, "<font face=\"Tahoma\">x & y</font>"},
    };
    for (const Case& c : cases) {
        document.clear();
        document.addTextItem("x & y", c.style, 0, 0);
        EXPECT_EQ(
            page(document, ProgramOptions | 0x0004 | 0x0010), "<div>" + c.expected + "</div>\r\n")
            << c.style;
    }
}
