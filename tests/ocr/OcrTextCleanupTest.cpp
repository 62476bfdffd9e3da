// The cleaning rules on Tesseract's own readings of drawn text (font, size and languages given
// with each), not on strings made up to fit the rules.
#include "OcrTextCleanup.h"

#include <gtest/gtest.h>

namespace {

TEST(OcrTextCleanup, MendsWhatTesseractLeaves)
{
    const struct
    {
        const char* read;
        const char* cleaned;
    } cases[] = {
        // Lohit Marathi, 11 pixels, mar+eng: bars for dandas, the double danda read right.
        {"राम म्हणाला | आज शाळेला सुट्टी आहे ॥ १ ॥ सीता म्हणाली । मग आपण बागेत जाऊ |\n",
            "राम म्हणाला । आज शाळेला सुट्टी आहे ॥ १ ॥ सीता म्हणाली । मग आपण बागेत जाऊ ।"},
        // Noto Serif Devanagari, 20 pixels: a bar alone at the end of the last line.
        {"रायगड ही त्यांची राजधानी होती । प्रजेच्या कल्याणासाठी त्यांनी न्यायाने राज्य\nकेले |\n",
            "रायगड ही त्यांची राजधानी होती । प्रजेच्या कल्याणासाठी त्यांनी न्यायाने राज्य\nकेले ।"},
        // A dark box on grey paper, no text: its edge read as a line of its own.
        {"|\n", ""},
        // English, Noto Sans Devanagari, 16 pixels: a table's bars stay bars.
        {"Name | Price | Date\n", "Name | Price | Date"},
        // Paragraphs keep their empty line.
        {"The school library is open\n\nरस्त्यांची दुरुस्ती होईल\n",
            "The school library is open\n\nरस्त्यांची दुरुस्ती होईल"},
    };
    for (const auto& [read, cleaned] : cases) {
        EXPECT_EQ(cleanRecognisedText(read), cleaned) << read;
    }
}

} // namespace
