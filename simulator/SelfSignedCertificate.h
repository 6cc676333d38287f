#pragma once

#include <memory>
#include <string>
#include <vector>

typedef struct x509_st X509;
typedef struct evp_pkey_st EVP_PKEY;

namespace kaldo::simulator {

// A certificate and key made at start for the HTTPS listener. It names localhost, 127.0.0.1,
// ::1 and the given addresses, so a client that trusts the written PEM file verifies it fully.
class SelfSignedCertificate final {
public:
    SelfSignedCertificate();
    ~SelfSignedCertificate();
    SelfSignedCertificate(const SelfSignedCertificate&) = delete;
    SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;

    bool Generate(const std::vector<std::string>& addresses, std::string& error);

    std::string CertificatePem() const;
    X509* Certificate() const { return m_certificate.get(); }
    EVP_PKEY* Key() const { return m_key.get(); }

private:
    struct CertificateFree {
        void operator()(X509* certificate) const;
    };
    struct KeyFree {
        void operator()(EVP_PKEY* key) const;
    };

    std::unique_ptr<X509, CertificateFree> m_certificate;
    std::unique_ptr<EVP_PKEY, KeyFree> m_key;
};

} // namespace kaldo::simulator
