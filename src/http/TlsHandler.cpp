// Library set-up, per-connection contexts and the client handshake with certificate and host
// name verification.
#include "TlsHandler.h"

#include "HttpErrors.h"
#include "OpenSsl.h"
#include "SocketStream.h"
#include "TlsStream.h"

#include <arpa/inet.h>
#include <cerrno>
#include <openssl/x509v3.h>

namespace {

// The library receives and sends on the socket itself; before each of those calls the socket's
// time-outs are set to what the limits leave, so a peer that drips bytes into one record still
// meets the exchange's deadline.
long armBeforeSocketCall(
    BIO* bio, int operation, const char*, std::size_t, int, long, int result, std::size_t*)
{
    if (operation == BIO_CB_READ || operation == BIO_CB_WRITE) {
        static_cast<SocketStream*>(static_cast<void*>(openSsl().BIO_get_callback_arg(bio)))
            ->armTimeouts();
    }
    return result;
}

bool isIpAddress(const std::string& host)
{
    unsigned char address[16];
    return inet_pton(AF_INET, host.c_str(), address) == 1
        || inet_pton(AF_INET6, host.c_str(), address) == 1;
}

} // namespace

std::unique_ptr<TlsStream> TlsHandler::startTls(
    std::unique_ptr<SocketStream> socket, const std::string& serverName) const
{
    const OpenSsl& ssl = openSsl();
    ssl.ERR_clear_error();
    SSL_CTX* context = ssl.SSL_CTX_new(ssl.TLS_client_method());
    if (context == nullptr) {
        TlsStream::raiseFailure("Error creating SSL context.", nullptr, 0, 0);
    }
    // From here the stream owns socket, context and channel, whatever fails.
    auto stream = std::make_unique<TlsStream>(std::move(socket), context);
    ssl.SSL_CTX_ctrl(context, SSL_CTRL_MODE, SSL_MODE_AUTO_RETRY, nullptr);
    // One read per record instead of header and body apart.
    ssl.SSL_CTX_ctrl(context, SSL_CTRL_SET_READ_AHEAD, 1, nullptr);
    const int trusted = m_rootCertFile.empty()
        ? ssl.SSL_CTX_set_default_verify_paths(context)
        : ssl.SSL_CTX_load_verify_locations(context, m_rootCertFile.c_str(), nullptr);
    if (trusted != 1) {
        TlsStream::raiseFailure("Error creating SSL context.", nullptr, 0, 0);
    }
    ssl.SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
    const std::string& ciphers = m_cipherList.empty() ? DefaultCipherList : m_cipherList;
    if (ssl.SSL_CTX_set_cipher_list(context, ciphers.c_str()) != 1) {
        TlsStream::raiseFailure("SetCipher failed.", nullptr, 0, 0);
    }
    SSL* channel = ssl.SSL_new(context);
    if (channel == nullptr) {
        TlsStream::raiseFailure("Error creating SSL session.", nullptr, 0, 0);
    }
    stream->adoptChannel(channel);
    if (ssl.SSL_set_fd(channel, stream->socket().handle()) != 1) {
        TlsStream::raiseFailure("Error setting File Descriptor for SSL", nullptr, 0, 0);
    }
    BIO* socketBio = ssl.SSL_get_rbio(channel);
    ssl.BIO_set_callback_arg(socketBio, static_cast<char*>(static_cast<void*>(&stream->socket())));
    ssl.BIO_set_callback_ex(socketBio, armBeforeSocketCall);
    X509_VERIFY_PARAM* check = ssl.SSL_get0_param(channel);
    ssl.X509_VERIFY_PARAM_set_hostflags(check, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    const bool named = isIpAddress(serverName)
        ? ssl.X509_VERIFY_PARAM_set1_ip_asc(check, serverName.c_str()) == 1
        : ssl.X509_VERIFY_PARAM_set1_host(check, serverName.c_str(), 0) == 1
            && ssl.SSL_ctrl(channel, SSL_CTRL_SET_TLSEXT_HOSTNAME, TLSEXT_NAMETYPE_host_name,
                   const_cast<char*>(serverName.c_str()))
                == 1;
    if (!named) {
        TlsStream::raiseFailure("Error creating SSL session.", nullptr, 0, 0);
    }
    ssl.ERR_clear_error();
    errno = 0;
    const int result = ssl.SSL_connect(channel);
    if (result != 1) {
        TlsStream::raiseFailure("Error connecting with SSL.", channel, result, errno);
    }
    return stream;
}
