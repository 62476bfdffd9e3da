// Keys of the whole desktop on X11: each key is grabbed on the root window once for every
// combination of the lock keys (Caps Lock, Num Lock, and the third lock modifier), since the X
// server matches modifiers exactly, and once more with Shift added. A key another program holds
// fails its grab; the failure is told, never fatal.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QList>
#include <QObject>
#include <cstdint>

struct xcb_connection_t;

class X11KeyGrab : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Nothing when the application does not run on an X server.
    static X11KeyGrab* create(QObject* parent);
    ~X11KeyGrab() override;

    // keySym with Ctrl+Alt; false when the key has no code here or another program holds it.
    // The key's index in the order of grabs comes back with pressed.
    bool grabCtrlAlt(std::uint32_t keySym, int index);
    void ungrabAll();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void pressed(int index, bool shift);

private:
    X11KeyGrab(xcb_connection_t* connection, std::uint32_t root, QObject* parent);
    std::uint8_t keyCodeOf(std::uint32_t keySym) const;

    struct Grab
    {
        std::uint8_t keyCode;
        int index;
    };

    xcb_connection_t* m_connection;
    std::uint32_t m_root;
    QList<Grab> m_grabs;
};
