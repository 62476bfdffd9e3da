// Message boxes under the application title, and the hook tests use to answer them.
#pragma once

#include <QString>
#include <functional>
#include <string>

class MessageBox
{
public:
    // Button codes a box returns.
    static constexpr int Ok = 1;
    static constexpr int Cancel = 2;

    // Kind 0 warning, 1 error, 2 information (all with OK), 3 question with OK and Cancel; any
    // other kind shows no icon and OK. Modal to the application; returns the button's code. The
    // text is shown (and handed to the hook) in the interface language.
    static int show(const QString& englishText, int kind);
    // A question answered by Yes or No; true for Yes.
    static bool askYesNo(const QString& englishText);
    // Asks before an action that replaces or removes something: the action's own button (its
    // English caption, such as "Replace" or "Delete") or Cancel; true for the action.
    static bool confirm(const QString& englishText, const QString& englishAction);
    // The hook sees both as kind 3 and answers Ok for Yes or the action.

    // The caption of every box: the application title.
    static QString caption();

    // While a hook is set, boxes are not shown: the hook receives text and kind and answers.
    using Hook = std::function<int(const QString& text, int kind)>;
    static void setHook(Hook hook);
};

// The same with an 8-bit text in the locale's encoding.
int showMessageBox(const std::string& text, int kind);
