// Which way a translation goes: the one type for the direction, its language codes, its stored
// setting value and the job that asks the service for it.
#pragma once

#include "TextScript.h"
#include "TranslateText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Direction
{
    EnglishToMarathi,
    MarathiToEnglish,
};

Direction opposite(Direction direction);

// The language codes the service and the history use.
std::string_view sourceCodeOf(Direction direction);
std::string_view targetCodeOf(Direction direction);
// The direction whose source language this code is; none for a code of neither language.
std::optional<Direction> directionFromSourceCode(std::string_view code);

// The settings file keeps 0 for English into Marathi and anything else for the other way.
Direction directionFromSetting(std::int32_t value);
std::int32_t settingOf(Direction direction);

// The direction a text in this script asks for; none when the script says nothing.
std::optional<Direction> directionForScript(TextScript script);

// A job that translates text this way.
TranslationJob translationJob(
    std::string serviceBaseAddress, std::u16string text, Direction direction);
