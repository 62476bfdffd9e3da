// The texts a translation shows (failures, progress, the countdown, direction notes), in the
// interface language. They are made in the engine, which knows no interface language, in English;
// the message table knows each of them by a name the language files use.
#pragma once

#include <QString>

struct TranslationFailure;

namespace TranslationMessages {

// Makes the translation texts known to the message table; the window calls it before any is shown.
void addToMessageTable();

// One of the engine's texts, with its placeholders filled in by fillIn, in the interface language.
QString inLanguage(const std::string& englishText);

// The failure's report with each of its parts in the interface language.
QString reportOf(const TranslationFailure& failure);

} // namespace TranslationMessages
