#include "simulator/SelfSignedCertificate.h"

#include <arpa/inet.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace kaldo::simulator {

namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct ExtensionFree {
    void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
};

std::string OpenSslError(const char* step) {
    char text[256] = {};
    ERR_error_string_n(ERR_get_error(), text, sizeof text);
    return std::string(step) + ": " + text;
}

bool IsIpAddress(const std::string& host) {
    unsigned char buffer[16];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

bool AddExtension(X509* certificate, int nid, const std::string& value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    std::unique_ptr<X509_EXTENSION, ExtensionFree> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str()));
    return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

} // namespace

void SelfSignedCertificate::CertificateFree::operator()(X509* certificate) const {
    X509_free(certificate);
}

void SelfSignedCertificate::KeyFree::operator()(EVP_PKEY* key) const {
    EVP_PKEY_free(key);
}

SelfSignedCertificate::SelfSignedCertificate() = default;
SelfSignedCertificate::~SelfSignedCertificate() = default;

bool SelfSignedCertificate::Generate(const std::vector<std::string>& addresses,
                                     std::string& error) {
    // P-256 takes milliseconds where RSA would take a noticeable part of the start-up.
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    if (!key) {
        error = OpenSslError("key generation");
        return false;
    }
    std::unique_ptr<X509, CertificateFree> certificate(X509_new());
    if (!certificate) {
        error = OpenSslError("certificate");
        return false;
    }
    X509* cert = certificate.get();

    unsigned char serial[16];
    if (RAND_bytes(serial, sizeof serial) != 1) {
        error = OpenSslError("serial number");
        return false;
    }
    serial[0] &= 0x7f;
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    const bool serialSet =
        number != nullptr && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert)) != nullptr;
    BN_free(number);

    std::string altNames = "DNS:localhost,IP:127.0.0.1,IP:::1";
    for (const auto& address : addresses) {
        if (address == "127.0.0.1" || address == "::1")
            continue;
        altNames += (IsIpAddress(address) ? ",IP:" : ",DNS:") + address;
    }

    X509_NAME* name = X509_get_subject_name(cert);
    const bool ok = serialSet && X509_set_version(cert, 2) == 1 &&
                    X509_gmtime_adj(X509_getm_notBefore(cert), -3600) != nullptr &&
                    X509_gmtime_adj(X509_getm_notAfter(cert), 30L * 24 * 3600) != nullptr &&
                    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                                               reinterpret_cast<const unsigned char*>("kaldosim"),
                                               -1, -1, 0) == 1 &&
                    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                               reinterpret_cast<const unsigned char*>("localhost"),
                                               -1, -1, 0) == 1 &&
                    X509_set_issuer_name(cert, name) == 1 &&
                    X509_set_pubkey(cert, key.get()) == 1 &&
                    AddExtension(cert, NID_basic_constraints, "critical,CA:TRUE") &&
                    AddExtension(cert, NID_key_usage, "critical,digitalSignature,keyCertSign") &&
                    AddExtension(cert, NID_ext_key_usage, "serverAuth") &&
                    AddExtension(cert, NID_subject_key_identifier, "hash") &&
                    AddExtension(cert, NID_subject_alt_name, altNames) &&
                    X509_sign(cert, key.get(), EVP_sha256()) > 0;
    if (!ok) {
        error = OpenSslError("certificate");
        return false;
    }
    m_key = std::move(key);
    m_certificate = std::move(certificate);
    return true;
}

std::string SelfSignedCertificate::CertificatePem() const {
    if (!m_certificate)
        return {};
    std::unique_ptr<BIO, BioFree> bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_X509(bio.get(), m_certificate.get()) != 1)
        return {};
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

} // namespace kaldo::simulator
