// One Marathi input table of the m17n library: Latin keys go in, Devanagari comes out, partly as
// committed text and partly as the syllable still being composed. No Qt here; the widget side is
// RomanTypingFilter.
#pragma once

#include <memory>
#include <string>
#include <vector>

class M17nEngine
{
public:
    struct Outcome
    {
        // The table used the key; false means the key should reach the text as it is.
        bool consumed = false;
        // Text the table finished with this key (also when it did not use the key).
        std::u16string committed;
    };

    // What to install when the library or the table is missing.
    static const char* const MissingText;

    // Opens a table by its file name without ".mim" ("mr-itrans"); raises FeatureUnavailable
    // (MissingText) when the library or the table cannot be had.
    static std::unique_ptr<M17nEngine> open(const std::string& table);
    // The Marathi tables installed, by the names open takes, ITRANS first.
    static std::vector<std::string> marathiTables();

    ~M17nEngine();
    M17nEngine(const M17nEngine&) = delete;
    M17nEngine& operator=(const M17nEngine&) = delete;

    // A key by the library's name for it: a printable ASCII character as itself, "BackSpace",
    // "Return".
    Outcome press(const std::string& key);
    // The syllable being composed and the cursor inside it, in UTF-16 code units.
    std::u16string preedit() const;
    int cursor() const;
    // Gives up the syllable being composed as it stands and starts afresh.
    std::u16string flush();

private:
    struct Handles;
    explicit M17nEngine(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> m_handles;
};
