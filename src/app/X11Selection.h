// Reads an X11 selection (PRIMARY or CLIPBOARD) over a connection of its own, so an owner that
// never answers costs a second and nothing more, and a huge selection is refused as it arrives
// instead of being taken whole. Large selections come in parts (the INCR transfer).
#pragma once

#include <QString>
#include <chrono>

struct SelectionRead
{
    enum class Outcome
    {
        Text,
        Empty, // no owner, or nothing that is text or a picture or files
        Image,
        Files,
        TooLarge,
        NoAnswer, // the owner did not answer in time
        Unavailable, // no X server to ask
    };
    Outcome outcome = Outcome::Empty;
    QString text;
};

namespace X11Selection {

enum class Which
{
    Primary,
    Clipboard,
};

// maxBytes bounds the UTF-8 bytes taken; wait bounds each wait for the owner.
SelectionRead read(Which which, qsizetype maxBytes,
    std::chrono::milliseconds wait = std::chrono::milliseconds(1000));

} // namespace X11Selection
