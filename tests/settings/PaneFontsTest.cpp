// The panes' fonts: the default families from what is installed, and the settings file.
#include "PaneFonts.h"

#include "../ini/ScratchFolder.h"
#include "Params.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneFonts, FamiliesPutTheChoiceFirstAndKeepADevanagariFontBehindIt)
{
    const QStringList everything
        = {"DejaVu Sans", "Arial", "Mukta", "Lohit Marathi", "Noto Sans Devanagari"};
    const struct
    {
        const char* family;
        QStringList installed;
        QStringList expected;
    } cases[] = {
        {"", everything, {"Arial", "Noto Sans Devanagari"}},
        {"", {"Mukta", "Lohit Marathi"}, {"Lohit Marathi"}},
        {"", {"mukta", "DejaVu Sans"}, {"Mukta"}},
        {"", {"DejaVu Sans"}, {}},
        // A Latin-only choice still shows Devanagari in the default Devanagari font.
        {"DejaVu Sans", everything, {"DejaVu Sans", "Noto Sans Devanagari"}},
        // A choice that is not installed keeps its place; the system finds a stand-in.
        {"Gone Font", {"Lohit Marathi"}, {"Gone Font", "Lohit Marathi"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paneFamilies(c.family, c.installed), c.expected) << c.family;
    }
}

TEST(PaneFonts, AStoredDevanagariFontNeedsNoOtherBehindIt)
{
    // Lohit Marathi comes with the set-up script.
    EXPECT_EQ(paneFamilies("Lohit Marathi", {"Lohit Marathi", "Noto Sans Devanagari"}),
        QStringList({"Lohit Marathi"}));
}

TEST(PaneFonts, ReadBackAsWrittenWithSizesOutsideTheRangeAsTheDefault)
{
    ScratchFolder folder;
    SettingsFileName = folder.file("Lingvane.ini");
    EXPECT_EQ(loadPaneFonts(), PaneFonts {});

    const PaneFonts fonts {{"Mukta", 20}, {"", 9}};
    savePaneFonts(fonts);
    EXPECT_EQ(loadPaneFonts(), fonts);

    ScratchFolder::write(
        SettingsFileName, "[Fonts]\nInputFontName=Mukta\nInputFontSize=500\nOutputFontSize=-3\n");
    EXPECT_EQ(
        loadPaneFonts(), (PaneFonts {{"Mukta", DefaultPaneFontSize}, {"", DefaultPaneFontSize}}));
    SettingsFileName.clear();
}

} // namespace
