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

OpenSsl loadCalls()
{
    // libssl brings libcrypto along.
    RuntimeLibrary library(SslLibrary);
    OpenSsl calls {};
    library.bind("OPENSSL_init_ssl", calls.OPENSSL_init_ssl);
    library.bind("TLS_client_method", calls.TLS_client_method);
    library.bind("SSL_CTX_new", calls.SSL_CTX_new);
    library.bind("SSL_CTX_free", calls.SSL_CTX_free);
    library.bind("SSL_CTX_ctrl", calls.SSL_CTX_ctrl);
    library.bind("SSL_CTX_set_default_verify_paths", calls.SSL_CTX_set_default_verify_paths);
    library.bind("SSL_CTX_load_verify_locations", calls.SSL_CTX_load_verify_locations);
    library.bind("SSL_CTX_set_verify", calls.SSL_CTX_set_verify);
    library.bind("SSL_CTX_set_cipher_list", calls.SSL_CTX_set_cipher_list);
    library.bind("SSL_new", calls.SSL_new);
    library.bind("SSL_free", calls.SSL_free);
    library.bind("SSL_ctrl", calls.SSL_ctrl);
    library.bind("SSL_set_fd", calls.SSL_set_fd);
    library.bind("SSL_get_rbio", calls.SSL_get_rbio);
    library.bind("SSL_get0_param", calls.SSL_get0_param);
    library.bind("SSL_connect", calls.SSL_connect);
    library.bind("SSL_read", calls.SSL_read);
    library.bind("SSL_peek", calls.SSL_peek);
    library.bind("SSL_write", calls.SSL_write);
    library.bind("SSL_shutdown", calls.SSL_shutdown);
    library.bind("SSL_get_error", calls.SSL_get_error);
    library.bind("SSL_has_pending", calls.SSL_has_pending);
    library.bind("SSL_is_init_finished", calls.SSL_is_init_finished);
    library.bind("SSL_get_verify_result", calls.SSL_get_verify_result);
    library.bind("BIO_set_callback_arg", calls.BIO_set_callback_arg);
    library.bind("BIO_get_callback_arg", calls.BIO_get_callback_arg);
    library.bind("BIO_set_callback_ex", calls.BIO_set_callback_ex);
    library.bind("X509_VERIFY_PARAM_set_hostflags", calls.X509_VERIFY_PARAM_set_hostflags);
    library.bind("X509_VERIFY_PARAM_set1_host", calls.X509_VERIFY_PARAM_set1_host);
    library.bind("X509_VERIFY_PARAM_set1_ip_asc", calls.X509_VERIFY_PARAM_set1_ip_asc);
    library.bind("X509_verify_cert_error_string", calls.X509_verify_cert_error_string);
    library.bind("ERR_clear_error", calls.ERR_clear_error);
    library.bind("ERR_peek_error", calls.ERR_peek_error);
    library.bind("ERR_get_error_all", calls.ERR_get_error_all);
    library.bind("ERR_error_string_n", calls.ERR_error_string_n);
    if (!library.complete()) {
        throw TlsLibraryUnavailable();
    }
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
