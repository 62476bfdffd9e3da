// The m17n input method behind romanised typing.
#include "M17nEngine.h"

#ifdef QUENDRA_HAVE_M17N
#include "Exception.h"
#include "RuntimeLibrary.h"
#include "Unicode.h"

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

// The library's calls, bound when romanised typing is first asked for: linked, the library
// and its own libraries would be loaded at every start of the program.
struct Calls
{
    decltype(&::m17n_init) m17n_init;
    int* merror_code;
    MSymbol* Mnil;
    MSymbol* Msymbol;
    decltype(&::msymbol) msymbol;
    decltype(&::msymbol_name) msymbol_name;
    decltype(&::m17n_object_unref) m17n_object_unref;
    decltype(&::mtext) mtext;
    decltype(&::mtext_len) mtext_len;
    decltype(&::mtext_ref_char) mtext_ref_char;
    decltype(&::mplist_key) mplist_key;
    decltype(&::mplist_next) mplist_next;
    decltype(&::mplist_value) mplist_value;
    decltype(&::minput_list) minput_list;
    decltype(&::minput_open_im) minput_open_im;
    decltype(&::minput_close_im) minput_close_im;
    decltype(&::minput_create_ic) minput_create_ic;
    decltype(&::minput_destroy_ic) minput_destroy_ic;
    decltype(&::minput_filter) minput_filter;
    decltype(&::minput_lookup) minput_lookup;
    decltype(&::minput_reset_ic) minput_reset_ic;
};

bool bindCalls(Calls& calls)
{
    RuntimeLibrary library("libm17n.so.0");
    library.bind("m17n_init", calls.m17n_init);
    library.bind("merror_code", calls.merror_code);
    library.bind("Mnil", calls.Mnil);
    library.bind("Msymbol", calls.Msymbol);
    library.bind("msymbol", calls.msymbol);
    library.bind("msymbol_name", calls.msymbol_name);
    library.bind("m17n_object_unref", calls.m17n_object_unref);
    library.bind("mtext", calls.mtext);
    library.bind("mtext_len", calls.mtext_len);
    library.bind("mtext_ref_char", calls.mtext_ref_char);
    library.bind("mplist_key", calls.mplist_key);
    library.bind("mplist_next", calls.mplist_next);
    library.bind("mplist_value", calls.mplist_value);
    library.bind("minput_list", calls.minput_list);
    library.bind("minput_open_im", calls.minput_open_im);
    library.bind("minput_close_im", calls.minput_close_im);
    library.bind("minput_create_ic", calls.minput_create_ic);
    library.bind("minput_destroy_ic", calls.minput_destroy_ic);
    library.bind("minput_filter", calls.minput_filter);
    library.bind("minput_lookup", calls.minput_lookup);
    library.bind("minput_reset_ic", calls.minput_reset_ic);
    return library.complete();
}

// The library keeps process-wide state; it is loaded and set up once and kept to the end. Null
// when it is not installed or does not set up.
const Calls* library()
{
    static Calls calls {};
    static bool ready = false;
    static std::once_flag once;
    std::call_once(once, [] {
        ready = bindCalls(calls);
        if (ready) {
            calls.m17n_init();
            ready = *calls.merror_code == MERROR_NONE;
        }
    });
    return ready ? &calls : nullptr;
}

std::u16string toUtf16(const Calls& calls, MText* text)
{
    std::u16string out;
    if (!text) {
        return out;
    }
    const int length = calls.mtext_len(text);
    for (int i = 0; i < length; ++i) {
        const int c = calls.mtext_ref_char(text, i);
        if (c >= 0) {
            Unicode::appendUtf16(out, char32_t(c));
        }
    }
    return out;
}

} // namespace

struct M17nEngine::Handles
{
    const Calls& calls;
    MInputMethod* method = nullptr;
    MInputContext* context = nullptr;

    ~Handles()
    {
        const std::lock_guard lock(libraryLock);
        if (context) {
            calls.minput_destroy_ic(context);
        }
        if (method) {
            calls.minput_close_im(method);
        }
    }
};

std::unique_ptr<M17nEngine> M17nEngine::open(const std::string& table)
{
    const std::lock_guard lock(libraryLock);
    const Calls* calls = library();
    if (!calls) {
        throw FeatureUnavailable(MissingText);
    }
    const std::string name = table.rfind(Prefix, 0) == 0
        ? table.substr(std::char_traits<char>::length(Prefix))
        : table;
    auto handles = std::make_unique<Handles>(*calls);
    handles->method
        = calls->minput_open_im(calls->msymbol(Language), calls->msymbol(name.c_str()), nullptr);
    if (handles->method) {
        handles->context = calls->minput_create_ic(handles->method, nullptr);
    }
    if (!handles->context) {
        throw FeatureUnavailable(MissingText);
    }
    return std::unique_ptr<M17nEngine>(new M17nEngine(std::move(handles)));
}

std::vector<std::string> M17nEngine::marathiTables()
{
    const std::lock_guard lock(libraryLock);
    std::vector<std::string> tables;
    const Calls* calls = library();
    if (!calls) {
        return tables;
    }
    MPlist* list = calls->minput_list(calls->msymbol(Language));
    for (MPlist* entry = list; entry && calls->mplist_key(entry) != *calls->Mnil;
         entry = calls->mplist_next(entry)) {
        // Each entry is (LANGUAGE NAME STATUS).
        auto* fields = static_cast<MPlist*>(calls->mplist_value(entry));
        MPlist* name = fields ? calls->mplist_next(fields) : nullptr;
        if (name && calls->mplist_key(name) == *calls->Msymbol) {
            tables.push_back(Prefix
                + std::string(
                    calls->msymbol_name(static_cast<MSymbol>(calls->mplist_value(name)))));
        }
    }
    if (list) {
        calls->m17n_object_unref(list);
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
    const Calls& calls = m_handles->calls;
    Outcome outcome;
    MSymbol symbol = calls.msymbol(key.c_str());
    if (calls.minput_filter(m_handles->context, symbol, nullptr)) {
        outcome.consumed = true;
        return outcome;
    }
    MText* produced = calls.mtext();
    outcome.consumed = calls.minput_lookup(m_handles->context, symbol, nullptr, produced) == 0;
    outcome.committed = toUtf16(calls, produced);
    calls.m17n_object_unref(produced);
    return outcome;
}

std::u16string M17nEngine::preedit() const
{
    const std::lock_guard lock(libraryLock);
    return toUtf16(m_handles->calls, m_handles->context->preedit);
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
    m_handles->calls.minput_reset_ic(m_handles->context);
    return pending;
}

#else

struct M17nEngine::Handles
{ };

std::unique_ptr<M17nEngine> M17nEngine::open(const std::string&)
{
    throw FeatureUnavailable(MissingText);
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
