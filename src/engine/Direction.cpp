// Direction codes and conversions.
#include "Direction.h"

Direction opposite(Direction direction)
{
    return direction == Direction::EnglishToMarathi ? Direction::MarathiToEnglish
                                                    : Direction::EnglishToMarathi;
}

std::string_view sourceCodeOf(Direction direction)
{
    return direction == Direction::EnglishToMarathi ? "en" : "mr";
}

std::string_view targetCodeOf(Direction direction)
{
    return sourceCodeOf(opposite(direction));
}

std::optional<Direction> directionFromSourceCode(std::string_view code)
{
    for (const Direction direction : {Direction::EnglishToMarathi, Direction::MarathiToEnglish}) {
        if (code == sourceCodeOf(direction)) {
            return direction;
        }
    }
    return std::nullopt;
}

Direction directionFromSetting(std::int32_t value)
{
    return value == 0 ? Direction::EnglishToMarathi : Direction::MarathiToEnglish;
}

std::int32_t settingOf(Direction direction)
{
    return direction == Direction::EnglishToMarathi ? 0 : 1;
}

std::optional<Direction> directionForScript(TextScript script)
{
    switch (script) {
    case TextScript::Latin:
        return Direction::EnglishToMarathi;
    case TextScript::Devanagari:
        return Direction::MarathiToEnglish;
    case TextScript::Unclear:
        break;
    }
    return std::nullopt;
}

TranslationJob translationJob(
    std::string serviceBaseAddress, std::u16string text, Direction direction)
{
    return {std::move(serviceBaseAddress), std::move(text), std::string(sourceCodeOf(direction)),
        std::string(targetCodeOf(direction)), {}};
}
