// Records the message boxes and error reports shown while it lives, instead of showing them.
#pragma once

#include "MessageBox.h"

#include <QString>
#include <vector>

struct ShownMessage
{
    QString text;
    int kind;
    bool operator==(const ShownMessage&) const = default;
};

class MessageCapture
{
public:
    explicit MessageCapture(int answer = MessageBox::Ok)
    {
        MessageBox::setHook([this, answer](const QString& text, int kind) {
            shown.push_back({text, kind});
            return answer;
        });
    }
    ~MessageCapture() { MessageBox::setHook({}); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    std::vector<ShownMessage> shown;
};
