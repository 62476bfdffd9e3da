// Certificate generation through the OpenSSL API: EC P-256 keys, SHA-256 signatures.
#include "TestPki.h"

#include "ChildProcess.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <stdexcept>

namespace {

using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using CertPtr = std::unique_ptr<X509, decltype(&X509_free)>;

void check(bool ok, const char* what)
{
    if (!ok) {
        throw std::runtime_error(std::string("test certificate: ") + what);
    }
}

KeyPtr newKey()
{
    return KeyPtr(EVP_EC_gen("P-256"), EVP_PKEY_free);
}

void addExtension(X509* cert, X509* issuer, int nid, const std::string& value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    check(extension != nullptr, "extension");
    X509_add_ext(cert, extension, -1);
    X509_EXTENSION_free(extension);
}

bool isIpAddress(const std::string& name)
{
    unsigned char address[16];
    return inet_pton(AF_INET, name.c_str(), address) == 1
        || inet_pton(AF_INET6, name.c_str(), address) == 1;
}

// Validity runs from validFromDays to validToDays counted from now.
CertPtr makeCert(const std::string& commonName, const std::vector<std::string>& names,
    EVP_PKEY* key, X509* issuer, EVP_PKEY* issuerKey, bool isCa, long validFromDays,
    long validToDays)
{
    static std::atomic<long> serial {1};
    CertPtr cert(X509_new(), X509_free);
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial++);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), validFromDays * 86400);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), validToDays * 86400);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* subject = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_UTF8,
        reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1, 0);
    X509* signer = issuer != nullptr ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    addExtension(cert.get(), signer, NID_basic_constraints, isCa ? "critical,CA:TRUE" : "CA:FALSE");
    addExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (isCa) {
        addExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        std::string alternatives;
        for (const std::string& name : names) {
            alternatives += alternatives.empty() ? "" : ",";
            alternatives += isIpAddress(name) ? "IP:" : "DNS:";
            alternatives += name;
        }
        addExtension(cert.get(), signer, NID_subject_alt_name, alternatives);
        addExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
    }
    check(X509_sign(cert.get(), issuerKey != nullptr ? issuerKey : key, EVP_sha256()) > 0, "sign");
    return cert;
}

void writePem(const std::string& file, X509* cert, EVP_PKEY* key)
{
    FILE* out = std::fopen(file.c_str(), "w");
    check(out != nullptr, "open file");
    const bool ok = cert != nullptr
        ? PEM_write_X509(out, cert) == 1
        : PEM_write_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    std::fclose(out);
    check(ok, "write PEM");
}

template <typename T, typename Free>
std::unique_ptr<T, Free> readPem(
    const std::string& file, T* (*reader)(FILE*, T**, pem_password_cb*, void*), Free free)
{
    FILE* in = std::fopen(file.c_str(), "r");
    check(in != nullptr, "open file");
    T* object = reader(in, nullptr, nullptr, nullptr);
    std::fclose(in);
    check(object != nullptr, "read PEM");
    return std::unique_ptr<T, Free>(object, free);
}

TlsIdentity saveIdentity(
    const std::string& directory, const std::string& name, X509* cert, EVP_PKEY* key)
{
    TlsIdentity identity {directory + "/" + name + ".crt", directory + "/" + name + ".key"};
    writePem(identity.certFile, cert, nullptr);
    writePem(identity.keyFile, nullptr, key);
    return identity;
}

const std::vector<std::string> LoopbackNames = {"127.0.0.1", "localhost"};

} // namespace

const TestPki& TestPki::instance()
{
    static const TestPki pki;
    return pki;
}

TestPki::TestPki()
{
    m_directory = makeTemporaryDirectory("quendra-pki");

    KeyPtr caKey = newKey();
    CertPtr ca = makeCert("Quendra Test CA", {}, caKey.get(), nullptr, nullptr, true, -1, 365);
    m_caCertFile = m_directory + "/ca.crt";
    m_caKeyFile = m_directory + "/ca.key";
    writePem(m_caCertFile, ca.get(), nullptr);
    writePem(m_caKeyFile, nullptr, caKey.get());

    m_server = issue(LoopbackNames);
    m_otherHost = issue({"other.example"});
    KeyPtr key = newKey();
    CertPtr expired
        = makeCert("127.0.0.1", LoopbackNames, key.get(), ca.get(), caKey.get(), false, -30, -1);
    m_expired = saveIdentity(m_directory, "expired", expired.get(), key.get());
    KeyPtr selfKey = newKey();
    CertPtr self
        = makeCert("127.0.0.1", LoopbackNames, selfKey.get(), nullptr, nullptr, false, -1, 365);
    m_selfSigned = saveIdentity(m_directory, "self-signed", self.get(), selfKey.get());
}

TestPki::~TestPki()
{
    std::filesystem::remove_all(m_directory);
}

TlsIdentity TestPki::issue(const std::vector<std::string>& names) const
{
    static std::atomic<int> count {0};
    auto ca = readPem(m_caCertFile, PEM_read_X509, X509_free);
    auto caKey = readPem(m_caKeyFile, PEM_read_PrivateKey, EVP_PKEY_free);
    KeyPtr key = newKey();
    CertPtr cert = makeCert(names.front(), names, key.get(), ca.get(), caKey.get(), false, -1, 365);
    return saveIdentity(m_directory, "issued-" + std::to_string(count++), cert.get(), key.get());
}
