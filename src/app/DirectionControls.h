// The translation direction as the main window shows it: the two radio buttons with their
// captions, and the language names after "Translate from :" and "Translate into :". The setting
// behind them (Params.direction) is the direction in effect.
#pragma once

#include "Direction.h"
#include "MainWindowWidgets.h"

class FormLanguage;

class DirectionControls
{
public:
    explicit DirectionControls(const MainWindowWidgets& ui);

    // The direction in effect.
    static Direction current();
    // Moves the check; the radio buttons' handler takes it from there.
    void check(Direction direction);
    // The checked radio button becomes the direction in effect; it is stored in the settings file
    // (or with the settings held in memory), which may raise.
    void takeChecked();
    // The radio captions and the language names in the interface language, laid out.
    void showTexts(const FormLanguage& language);
    void showNames(const FormLanguage& language);
    // The language names follow their captions, the busy image follows the lower name.
    void layoutLabels();

private:
    MainWindowWidgets m_ui;
};
