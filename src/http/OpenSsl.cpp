// Loading the TLS library and binding its calls by name.
#include "OpenSsl.h"

#include "HttpErrors.h"
#include "RuntimeLibrary.h"

#include <csignal>
#include <openssl/err.h>
#include <openssl/opensslv.h>

namespace {

#define QUENDRA_TEXT(value) #value
#define QUENDRA_VERSION_TEXT(value) QUENDRA_TEXT(value)
// The library of the version the program was built against.
const char* const SslLibrary = "libssl.so." QUENDRA_VERSION_TEXT(OPENSSL_SHLIB_VERSION);
#undef QUENDRA_VERSION_TEXT
#undef QUENDRA_TEXT

template <typename Call> void bind(void* library, const char* name, Call& call)
{
    if (!bindSymbol(library, name, call)) {
        throw TlsLibraryUnavailable();
    }
}

OpenSsl loadCalls()
{
    // libssl brings libcrypto along, and both stay for the rest of the run.
    void* library = dlopen(SslLibrary, RTLD_NOW | RTLD_GLOBAL);
    if (library == nullptr) {
        throw TlsLibraryUnavailable();
    }
    OpenSsl calls {};
#define QUENDRA_BIND(name) bind(library, #name, calls.name)
    QUENDRA_BIND(OPENSSL_init_ssl);
    QUENDRA_BIND(TLS_client_method);
    QUENDRA_BIND(SSL_CTX_new);
    QUENDRA_BIND(SSL_CTX_free);
    QUENDRA_BIND(SSL_CTX_ctrl);
    QUENDRA_BIND(SSL_CTX_set_default_verify_paths);
    QUENDRA_BIND(SSL_CTX_load_verify_locations);
    QUENDRA_BIND(SSL_CTX_set_verify);
    QUENDRA_BIND(SSL_CTX_set_cipher_list);
    QUENDRA_BIND(SSL_new);
    QUENDRA_BIND(SSL_free);
    QUENDRA_BIND(SSL_ctrl);
    QUENDRA_BIND(SSL_set_fd);
    QUENDRA_BIND(SSL_get_rbio);
    QUENDRA_BIND(SSL_get0_param);
    QUENDRA_BIND(SSL_connect);
    QUENDRA_BIND(SSL_read);
    QUENDRA_BIND(SSL_peek);
    QUENDRA_BIND(SSL_write);
    QUENDRA_BIND(SSL_shutdown);
    QUENDRA_BIND(SSL_get_error);
    QUENDRA_BIND(SSL_has_pending);
    QUENDRA_BIND(SSL_is_init_finished);
    QUENDRA_BIND(SSL_get_verify_result);
    QUENDRA_BIND(BIO_set_callback_arg);
    QUENDRA_BIND(BIO_get_callback_arg);
    QUENDRA_BIND(BIO_set_callback_ex);
    QUENDRA_BIND(X509_VERIFY_PARAM_set_hostflags);
    QUENDRA_BIND(X509_VERIFY_PARAM_set1_host);
    QUENDRA_BIND(X509_VERIFY_PARAM_set1_ip_asc);
    QUENDRA_BIND(X509_verify_cert_error_string);
    QUENDRA_BIND(ERR_clear_error);
    QUENDRA_BIND(ERR_peek_error);
    QUENDRA_BIND(ERR_get_error_all);
    QUENDRA_BIND(ERR_error_string_n);
#undef QUENDRA_BIND
    const uint64_t options = OPENSSL_INIT_LOAD_SSL_STRINGS | OPENSSL_INIT_LOAD_CRYPTO_STRINGS;
    if (calls.OPENSSL_init_ssl(options, nullptr) != 1) {
        throw TlsLibraryUnavailable();
    }
    // The library writes to the socket with write(), so a peer that has gone would raise
    // SIGPIPE and end the program; the failed write reports the error instead.
    struct sigaction current
    { };
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
        std::signal(SIGPIPE, SIG_IGN);
    }
    return calls;
}

} // namespace

const OpenSsl& openSsl()
{
    // A failed load leaves the static unset, so the next connection tries again.
    static const OpenSsl calls = loadCalls();
    return calls;
}
