#pragma once

#include "simulator/ListenAddress.h"
#include "simulator/RequestLog.h"
#include "simulator/SelfSignedCertificate.h"
#include "simulator/SimulatorOptions.h"
#include "simulator/SimulatorState.h"
#include "simulator/StopSignal.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kaldo::simulator {

// The printers' web servers, the maker's site (HTTP and HTTPS) and the control endpoint, each
// on its own listener and thread. Usable in-process by tests or from the kaldosim program.
class Simulator final {
public:
    Simulator();
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Binds every listener (port 0 picks a free one), writes the certificate if asked, and
    // starts serving. On failure nothing is left listening.
    bool Start(const SimulatorOptions& options, std::string& error);
    void Stop();

    // "ready printer=A:P ... site=A:P https=A:P control=A:P" with the bound ports.
    std::string ReadyLine() const;

    std::vector<ListenAddress> PrinterAddresses() const;
    std::optional<ListenAddress> SiteAddress() const { return m_siteAddress; }
    std::optional<ListenAddress> HttpsAddress() const { return m_httpsAddress; }
    std::optional<ListenAddress> ControlAddress() const { return m_controlAddress; }
    std::string CertificatePem() const { return m_certificate.CertificatePem(); }

private:
    struct Listener;

    bool Bind(Listener& listener, const ListenAddress& wanted, std::string& error);

    std::unique_ptr<RequestLog> m_log;
    std::vector<std::unique_ptr<PrinterInstance>> m_printers;
    std::unique_ptr<SiteInstance> m_site;
    std::vector<std::unique_ptr<Listener>> m_listeners;
    std::optional<ListenAddress> m_siteAddress;
    std::optional<ListenAddress> m_httpsAddress;
    std::optional<ListenAddress> m_controlAddress;
    SelfSignedCertificate m_certificate;
    StopSignal m_stop;
};

} // namespace kaldo::simulator
