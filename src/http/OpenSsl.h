// The TLS library's calls, bound when the first TLS connection needs them. Linking the library
// into the program would load it (nearly two megabytes) at every start, also for a window that
// never translates; bound here, it is loaded by the first handshake instead.
#pragma once

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

struct OpenSsl
{
    decltype(&::OPENSSL_init_ssl) OPENSSL_init_ssl;
    decltype(&::TLS_client_method) TLS_client_method;
    decltype(&::SSL_CTX_new) SSL_CTX_new;
    decltype(&::SSL_CTX_free) SSL_CTX_free;
    decltype(&::SSL_CTX_ctrl) SSL_CTX_ctrl;
    decltype(&::SSL_CTX_set_default_verify_paths) SSL_CTX_set_default_verify_paths;
    decltype(&::SSL_CTX_load_verify_locations) SSL_CTX_load_verify_locations;
    decltype(&::SSL_CTX_set_verify) SSL_CTX_set_verify;
    decltype(&::SSL_CTX_set_cipher_list) SSL_CTX_set_cipher_list;
    decltype(&::SSL_new) SSL_new;
    decltype(&::SSL_free) SSL_free;
    decltype(&::SSL_ctrl) SSL_ctrl;
    decltype(&::SSL_set_fd) SSL_set_fd;
    decltype(&::SSL_get_rbio) SSL_get_rbio;
    decltype(&::SSL_get0_param) SSL_get0_param;
    decltype(&::SSL_connect) SSL_connect;
    decltype(&::SSL_read) SSL_read;
    decltype(&::SSL_peek) SSL_peek;
    decltype(&::SSL_write) SSL_write;
    decltype(&::SSL_shutdown) SSL_shutdown;
    decltype(&::SSL_get_error) SSL_get_error;
    decltype(&::SSL_has_pending) SSL_has_pending;
    decltype(&::SSL_is_init_finished) SSL_is_init_finished;
    decltype(&::SSL_get_verify_result) SSL_get_verify_result;
    decltype(&::BIO_set_callback_arg) BIO_set_callback_arg;
    decltype(&::BIO_get_callback_arg) BIO_get_callback_arg;
    decltype(&::BIO_set_callback_ex) BIO_set_callback_ex;
    decltype(&::X509_VERIFY_PARAM_set_hostflags) X509_VERIFY_PARAM_set_hostflags;
    decltype(&::X509_VERIFY_PARAM_set1_host) X509_VERIFY_PARAM_set1_host;
    decltype(&::X509_VERIFY_PARAM_set1_ip_asc) X509_VERIFY_PARAM_set1_ip_asc;
    decltype(&::X509_verify_cert_error_string) X509_verify_cert_error_string;
    decltype(&::ERR_clear_error) ERR_clear_error;
    decltype(&::ERR_peek_error) ERR_peek_error;
    decltype(&::ERR_get_error_all) ERR_get_error_all;
    decltype(&::ERR_error_string_n) ERR_error_string_n;
};

// The bound calls; the first call loads and initialises the library. Raises TlsLibraryUnavailable
// when it cannot be loaded or lacks a call.
const OpenSsl& openSsl();
