// The application's error report: every command a slot or event handler runs goes through
// runCommand, so a failure becomes a message box and never reaches Qt.
#pragma once

#include <QString>
#include <functional>

// Runs the command; an Exception (or any other exception) is reported, an AbortException is
// swallowed silently.
void runCommand(const std::function<void()>& command);

// A slot body that runs its command through runCommand.
inline auto guarded(std::function<void()> command)
{
    return [command = std::move(command)] { runCommand(command); };
}

// Shows the failure text in an error box under the application title; "." is appended when the
// text's last character sorts after ".".
void reportError(const QString& message);
