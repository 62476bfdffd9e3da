// The m17n input method behind romanised typing.
#include "M17nEngine.h"

#ifdef QUENDRA_HAVE_M17N
#include <m17n-misc.h>
#include <m17n.h>
#endif

#include <algorithm>
#include <mutex>

const char* const M17nEngine::MissingText
    = "Romanised typing needs the m17n library and its Marathi tables: install the Debian "
      "packages libm17n-0 and m17n-db.";

#ifdef QUENDRA_HAVE_M17N

namespace {

// The library is not made for threads: every call goes through this lock, so a check on another
// thread never meets the typing on the GUI thread.
std::recursive_mutex libraryLock;

constexpr const char* Language = "mr";
constexpr const char* Prefix = "mr-";

// The library keeps process-wide state; it is set up once and kept to the end.
bool initialise()
{
    static bool ready = false;
    static std::once_flag once;
    std::call_once(once, [] {
        M17N_INIT();
        ready = merror_code == MERROR_NONE;
    });
    return ready;
}

std::u16string toUtf16(MText* text)
{
    std::u16string out;
    if (!text) {
        return out;
    }
    const int length = mtext_len(text);
    for (int i = 0; i < length; ++i) {
        const int c = mtext_ref_char(text, i);
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (c >= 0) {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

} // namespace

struct M17nEngine::Handles
{
    MInputMethod* method = nullptr;
    MInputContext* context = nullptr;

    ~Handles()
    {
        const std::lock_guard lock(libraryLock);
        if (context) {
            minput_destroy_ic(context);
        }
        if (method) {
            minput_close_im(method);
        }
    }
};

std::unique_ptr<M17nEngine> M17nEngine::open(const std::string& table, std::string& error)
{
    const std::lock_guard lock(libraryLock);
    error.clear();
    if (!initialise()) {
        error = MissingText;
        return nullptr;
    }
    const std::string name = table.rfind(Prefix, 0) == 0
        ? table.substr(std::char_traits<char>::length(Prefix))
        : table;
    auto handles = std::make_unique<Handles>();
    handles->method = minput_open_im(msymbol(Language), msymbol(name.c_str()), nullptr);
    if (handles->method) {
        handles->context = minput_create_ic(handles->method, nullptr);
    }
    if (!handles->context) {
        error = MissingText;
        return nullptr;
    }
    return std::unique_ptr<M17nEngine>(new M17nEngine(std::move(handles)));
}

std::vector<std::string> M17nEngine::marathiTables()
{
    const std::lock_guard lock(libraryLock);
    std::vector<std::string> tables;
    if (!initialise()) {
        return tables;
    }
    MPlist* list = minput_list(msymbol(Language));
    for (MPlist* entry = list; entry && mplist_key(entry) != Mnil; entry = mplist_next(entry)) {
        // Each entry is (LANGUAGE NAME STATUS).
        auto* fields = static_cast<MPlist*>(mplist_value(entry));
        MPlist* name = fields ? mplist_next(fields) : nullptr;
        if (name && mplist_key(name) == Msymbol) {
            tables.push_back(
                Prefix + std::string(msymbol_name(static_cast<MSymbol>(mplist_value(name)))));
        }
    }
    if (list) {
        m17n_object_unref(list);
    }
    std::sort(tables.begin(), tables.end());
    const auto itrans = std::find(tables.begin(), tables.end(), "mr-itrans");
    if (itrans != tables.end()) {
        std::rotate(tables.begin(), itrans, itrans + 1);
    }
    return tables;
}

M17nEngine::M17nEngine(std::unique_ptr<Handles> handles)
    : m_handles(std::move(handles))
{ }

M17nEngine::~M17nEngine() = default;

M17nEngine::Outcome M17nEngine::press(const std::string& key)
{
    const std::lock_guard lock(libraryLock);
    Outcome outcome;
    MSymbol symbol = msymbol(key.c_str());
    if (minput_filter(m_handles->context, symbol, nullptr)) {
        outcome.consumed = true;
        return outcome;
    }
    MText* produced = mtext();
    outcome.consumed = minput_lookup(m_handles->context, symbol, nullptr, produced) == 0;
    outcome.committed = toUtf16(produced);
    m17n_object_unref(produced);
    return outcome;
}

std::u16string M17nEngine::preedit() const
{
    const std::lock_guard lock(libraryLock);
    return toUtf16(m_handles->context->preedit);
}

int M17nEngine::cursor() const
{
    const std::lock_guard lock(libraryLock);
    return std::max(0, m_handles->context->cursor_pos);
}

std::u16string M17nEngine::flush()
{
    const std::lock_guard lock(libraryLock);
    std::u16string pending = preedit();
    minput_reset_ic(m_handles->context);
    return pending;
}

#else

struct M17nEngine::Handles
{ };

std::unique_ptr<M17nEngine> M17nEngine::open(const std::string&, std::string& error)
{
    error = MissingText;
    return nullptr;
}

std::vector<std::string> M17nEngine::marathiTables()
{
    return {};
}

M17nEngine::M17nEngine(std::unique_ptr<Handles> handles)
    : m_handles(std::move(handles))
{ }

M17nEngine::~M17nEngine() = default;

M17nEngine::Outcome M17nEngine::press(const std::string&)
{
    return {};
}

std::u16string M17nEngine::preedit() const
{
    return {};
}

int M17nEngine::cursor() const
{
    return 0;
}

std::u16string M17nEngine::flush()
{
    return {};
}

#endif
