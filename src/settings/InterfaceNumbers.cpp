// The interface's digits.
#include "InterfaceNumbers.h"

#include "IniHelpers.h"
#include "InterfaceLanguage.h"
#include "Params.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr char16_t DevanagariZero = u'\u0966';

// The style found for one language and version of the settings file: a history of hundreds of
// rows asks for it every time it shows, and should not read the settings file for each.
struct Style
{
    QString language;
    std::string settingsFile;
    std::filesystem::file_time_type written;
    bool devanagari = false;

    bool operator==(const Style& other) const
    {
        return language == other.language && settingsFile == other.settingsFile
            && written == other.written;
    }
};

} // namespace

bool InterfaceNumbers::devanagariDigits()
{
    static Style known;
    std::error_code missing;
    Style now {InterfaceLanguage::instance().current(), SettingsFileName,
        std::filesystem::last_write_time(SettingsFileName, missing)};
    if (!(now == known) || known.language.isEmpty()) {
        now.devanagari = now.language == QLatin1String("Marathi")
            && !iniReadBool(SettingsFileName, "Marathi", "AsciiDigits");
        known = now;
    }
    return known.devanagari;
}

QString InterfaceNumbers::digits(QString text)
{
    if (devanagariDigits()) {
        for (QChar& c : text) {
            if (c >= u'0' && c <= u'9') {
                c = QChar(DevanagariZero + (c.unicode() - u'0'));
            }
        }
    }
    return text;
}

QString InterfaceNumbers::number(qlonglong value)
{
    return digits(QString::number(value));
}

QLocale InterfaceNumbers::locale()
{
    return devanagariDigits() ? QLocale(QLocale::Marathi, QLocale::India)
                              : QLocale(QLocale::English, QLocale::UnitedKingdom);
}
