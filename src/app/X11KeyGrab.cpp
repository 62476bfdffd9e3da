// Grabbing keys on the X server's root window.
#include "X11KeyGrab.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

constexpr std::uint16_t CtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
// Caps Lock, Num Lock (Mod2 nearly everywhere) and Mod5, which some keyboards give Scroll Lock.
constexpr std::uint16_t LockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_5,
    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_5,
    XCB_MOD_MASK_2 | XCB_MOD_MASK_5, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_5};
constexpr std::uint16_t AnyLock = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_5;

} // namespace

X11KeyGrab* X11KeyGrab::create(QObject* parent)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) {
        return nullptr;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return new X11KeyGrab(connection, screen->root, parent);
}

X11KeyGrab::X11KeyGrab(xcb_connection_t* connection, std::uint32_t root, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_root(root)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11KeyGrab::~X11KeyGrab()
{
    ungrabAll();
}

std::uint8_t X11KeyGrab::keyCodeOf(std::uint32_t keySym) const
{
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
        xcb_get_keyboard_mapping_reply(m_connection,
            xcb_get_keyboard_mapping(m_connection, setup->min_keycode, std::uint8_t(count)),
            nullptr),
        &std::free);
    if (!mapping) {
        return 0;
    }
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        // The first two columns: the key's own symbol and its shifted one.
        for (int column = 0; column < std::min(perCode, 2); ++column) {
            if (symbols[code * perCode + column] == keySym) {
                return std::uint8_t(setup->min_keycode + code);
            }
        }
    }
    return 0;
}

bool X11KeyGrab::grabCtrlAlt(std::uint32_t keySym, int index)
{
    const std::uint8_t code = keyCodeOf(keySym);
    if (code == 0) {
        return false;
    }
    QList<xcb_void_cookie_t> cookies;
    for (std::uint16_t shift : {std::uint16_t(0), std::uint16_t(XCB_MOD_MASK_SHIFT)}) {
        for (std::uint16_t locks : LockMasks) {
            cookies += xcb_grab_key_checked(m_connection, 1, m_root, CtrlAlt | shift | locks, code,
                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
    }
    bool held = true;
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            held = false;
            std::free(error);
        }
    }
    if (!held) {
        // Half a key is no key: what was had goes back.
        xcb_ungrab_key(m_connection, code, m_root, XCB_MOD_MASK_ANY);
        xcb_flush(m_connection);
        return false;
    }
    m_grabs += Grab {code, index};
    return true;
}

void X11KeyGrab::ungrabAll()
{
    for (const Grab& grab : std::exchange(m_grabs, {})) {
        xcb_ungrab_key(m_connection, grab.keyCode, m_root, XCB_MOD_MASK_ANY);
    }
    xcb_flush(m_connection);
}

bool X11KeyGrab::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    // On the root window through the grab; on a window of ours while it holds the keyboard (the
    // pop-up), where the grab does not act.
    if ((press->state & ~(AnyLock | XCB_MOD_MASK_SHIFT)) != CtrlAlt) {
        return false;
    }
    for (const Grab& grab : m_grabs) {
        if (grab.keyCode == press->detail) {
            emit pressed(grab.index, (press->state & XCB_MOD_MASK_SHIFT) != 0);
            return true;
        }
    }
    return false;
}
