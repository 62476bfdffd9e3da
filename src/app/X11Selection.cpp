// Reading a selection with the X protocol: ask the owner for its targets, then for UTF-8 text,
// and take the property it writes on our window (in parts when it announces INCR).
#include "X11Selection.h"

#include <QByteArray>
#include <QList>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <poll.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> owned(T* reply)
{
    return Reply<T>(reply, &std::free);
}

class Connection
{
public:
    Connection()
        : m_connection(xcb_connect(nullptr, nullptr))
    { }
    ~Connection()
    {
        if (m_window) {
            xcb_destroy_window(m_connection, m_window);
        }
        xcb_disconnect(m_connection);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return xcb_connection_has_error(m_connection) == 0; }
    xcb_connection_t* get() const { return m_connection; }

    xcb_atom_t atom(const char* name) const
    {
        const auto reply = owned(xcb_intern_atom_reply(m_connection,
            xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // An unmapped window to receive the selection's property, watched for property changes.
    xcb_window_t window()
    {
        if (!m_window) {
            const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
            m_window = xcb_generate_id(m_connection);
            const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1,
                1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                &events);
        }
        return m_window;
    }

    // The next event of response type, or nothing once the wait is over.
    Reply<xcb_generic_event_t> waitFor(uint8_t type, std::chrono::milliseconds wait) const
    {
        xcb_flush(m_connection);
        const Clock::time_point end = Clock::now() + wait;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                if ((event->response_type & 0x7f) == type) {
                    return owned(event);
                }
                std::free(event);
            }
            const auto left
                = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() <= 0 || !ok()) {
                return owned<xcb_generic_event_t>(nullptr);
            }
            pollfd descriptor {xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&descriptor, 1, static_cast<int>(left.count()));
        }
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_window = 0;
};

struct Property
{
    xcb_atom_t type = XCB_ATOM_NONE;
    QByteArray bytes;
    bool more = false; // longer than was asked for
};

Property takeProperty(
    const Connection& connection, xcb_window_t window, xcb_atom_t property, qsizetype maxBytes)
{
    const auto reply = owned(xcb_get_property_reply(connection.get(),
        xcb_get_property(connection.get(), 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
            static_cast<uint32_t>(maxBytes / 4 + 1)),
        nullptr));
    Property result;
    if (!reply) {
        return result;
    }
    result.type = reply->type;
    const int length = xcb_get_property_value_length(reply.get());
    result.bytes
        = QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
    result.more = reply->bytes_after > 0;
    return result;
}

class SelectionAsk
{
public:
    SelectionAsk(Connection& connection, xcb_atom_t selection, std::chrono::milliseconds wait)
        : m_connection(connection)
        , m_selection(selection)
        , m_property(connection.atom("QUENDRA_SELECTION"))
        , m_wait(wait)
    { }

    // The owner's answer in the property, or nothing when it gave none in time. refused is set
    // when the owner cannot give that target.
    std::optional<bool> convert(xcb_atom_t target)
    {
        xcb_convert_selection(m_connection.get(), m_connection.window(), m_selection, target,
            m_property, XCB_CURRENT_TIME);
        const auto event = m_connection.waitFor(XCB_SELECTION_NOTIFY, m_wait);
        if (!event) {
            return std::nullopt;
        }
        return reinterpret_cast<xcb_selection_notify_event_t*>(event.get())->property
            != XCB_ATOM_NONE;
    }

    QList<xcb_atom_t> targets(bool& answered)
    {
        const std::optional<bool> given = convert(m_connection.atom("TARGETS"));
        answered = given.has_value();
        QList<xcb_atom_t> atoms;
        if (given.value_or(false)) {
            const Property property
                = takeProperty(m_connection, m_connection.window(), m_property, 1 << 16);
            const auto* data = reinterpret_cast<const xcb_atom_t*>(property.bytes.constData());
            atoms = QList<xcb_atom_t>(
                data, data + property.bytes.size() / qsizetype(sizeof(xcb_atom_t)));
        }
        return atoms;
    }

    SelectionRead text(xcb_atom_t target, qsizetype maxBytes)
    {
        const std::optional<bool> given = convert(target);
        if (!given) {
            return {SelectionRead::Outcome::NoAnswer, {}};
        }
        if (!*given) {
            return {SelectionRead::Outcome::Empty, {}};
        }
        const xcb_window_t window = m_connection.window();
        // Watching starts with the first property change after this read.
        Property property = takeProperty(m_connection, window, m_property, maxBytes);
        if (property.type == m_connection.atom("INCR")) {
            return incremental(property, maxBytes);
        }
        if (property.more || property.bytes.size() > maxBytes) {
            return {SelectionRead::Outcome::TooLarge, {}};
        }
        return textOf(property.bytes);
    }

private:
    // The owner writes the text in parts, each a new value of the property after we deleted the
    // last; an empty part ends it.
    SelectionRead incremental(const Property& announcement, qsizetype maxBytes)
    {
        if (announcement.bytes.size() >= 4
            && *reinterpret_cast<const uint32_t*>(announcement.bytes.constData()) > maxBytes) {
            return {SelectionRead::Outcome::TooLarge, {}};
        }
        QByteArray bytes;
        for (;;) {
            const auto event = m_connection.waitFor(XCB_PROPERTY_NOTIFY, m_wait);
            if (!event) {
                return {SelectionRead::Outcome::NoAnswer, {}};
            }
            const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event.get());
            if (change->atom != m_property || change->state != XCB_PROPERTY_NEW_VALUE) {
                continue;
            }
            const Property part = takeProperty(
                m_connection, m_connection.window(), m_property, maxBytes - bytes.size());
            if (part.bytes.isEmpty() && !part.more) {
                return textOf(bytes);
            }
            bytes += part.bytes;
            if (part.more || bytes.size() > maxBytes) {
                // Tell the owner we are done: the property goes, no part is taken any more.
                xcb_delete_property(m_connection.get(), m_connection.window(), m_property);
                xcb_flush(m_connection.get());
                return {SelectionRead::Outcome::TooLarge, {}};
            }
        }
    }

    static SelectionRead textOf(const QByteArray& bytes)
    {
        const QString text = QString::fromUtf8(bytes);
        return {
            text.isEmpty() ? SelectionRead::Outcome::Empty : SelectionRead::Outcome::Text, text};
    }

    Connection& m_connection;
    xcb_atom_t m_selection;
    xcb_atom_t m_property;
    std::chrono::milliseconds m_wait;
};

bool hasAtomStartingWith(
    const Connection& connection, const QList<xcb_atom_t>& atoms, const QByteArray& prefix)
{
    for (xcb_atom_t atom : atoms) {
        const auto reply = owned(xcb_get_atom_name_reply(
            connection.get(), xcb_get_atom_name(connection.get(), atom), nullptr));
        if (reply
            && QByteArray(
                xcb_get_atom_name_name(reply.get()), xcb_get_atom_name_name_length(reply.get()))
                   .startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

SelectionRead X11Selection::read(Which which, qsizetype maxBytes, std::chrono::milliseconds wait)
{
    Connection connection;
    if (!connection.ok()) {
        return {SelectionRead::Outcome::Unavailable, {}};
    }
    const xcb_atom_t selection
        = which == Which::Primary ? xcb_atom_t(XCB_ATOM_PRIMARY) : connection.atom("CLIPBOARD");
    const auto owner = owned(xcb_get_selection_owner_reply(
        connection.get(), xcb_get_selection_owner(connection.get(), selection), nullptr));
    if (!owner || owner->owner == XCB_WINDOW_NONE) {
        return {SelectionRead::Outcome::Empty, {}};
    }
    SelectionAsk ask(connection, selection, wait);
    bool answered = false;
    const QList<xcb_atom_t> targets = ask.targets(answered);
    if (!answered) {
        return {SelectionRead::Outcome::NoAnswer, {}};
    }
    const xcb_atom_t utf8 = connection.atom("UTF8_STRING");
    // A file manager offers the names as text too; they are files all the same.
    if (hasAtomStartingWith(connection, targets, "text/uri-list")) {
        return {SelectionRead::Outcome::Files, {}};
    }
    if (!targets.contains(utf8) && hasAtomStartingWith(connection, targets, "image/")) {
        return {SelectionRead::Outcome::Image, {}};
    }
    // Owners that list their targets poorly still get asked for text.
    return ask.text(utf8, maxBytes);
}
