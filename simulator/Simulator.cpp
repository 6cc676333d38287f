#include "simulator/Simulator.h"

#include "platform/AtomicFile.h"

#include "simulator/ControlRoutes.h"
#include "simulator/PrinterRoutes.h"
#include "simulator/SiteContent.h"
#include "simulator/SiteRoutes.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <sys/socket.h>
#include <thread>

namespace kaldo::simulator {

struct Simulator::Listener {
    std::string Role;
    ListenAddress Address;
    std::unique_ptr<httplib::Server> Server;
    std::thread Thread;
    std::atomic<bool> Finished{false};
};

namespace {

constexpr std::size_t kThreadsPerListener = 8;

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string& error) {
    if (kaldo::WriteFileAtomically(path, content))
        return true;
    error = "cannot write " + path;
    return false;
}

} // namespace

Simulator::Simulator() = default;

Simulator::~Simulator() {
    Stop();
}

bool Simulator::Bind(Listener& listener, const ListenAddress& wanted, std::string& error) {
    httplib::Server& server = *listener.Server;
    server.new_task_queue = [] {
        return new httplib::ThreadPool(kThreadsPerListener);
    };
    // The library's default adds SO_REUSEPORT, which would let a second simulator share the
    // port and take half of the requests.
    server.set_socket_options([](int socket) {
        const int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    // Recorded before the answer goes out (a logger would run after it), so that a client that
    // has its answer finds its request in the log.
    server.set_post_routing_handler([log = m_log.get(), role = listener.Role](
                                        const httplib::Request& req, httplib::Response& res) {
        log->Record(role, req.method, FormatHostPort(req.local_addr, req.local_port), req.target,
                    res.status);
    });
    server.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& res) {
            if (!res.body.empty())
                return httplib::Server::HandlerResponse::Unhandled;
            res.set_content(BuildErrorPage(res.status, res.status == 404 ? "Not found." : "Error."),
                            "text/html; charset=utf-8");
            return httplib::Server::HandlerResponse::Handled;
        }));

    int port = wanted.Port;
    if (port == 0) {
        port = server.bind_to_any_port(wanted.Host);
    } else if (!server.bind_to_port(wanted.Host, port)) {
        port = -1;
    }
    if (port < 0) {
        error = "cannot listen on " + FormatHostPort(wanted) + " for " + listener.Role +
                " (in use or not available)";
        return false;
    }
    listener.Address = {wanted.Host, port};
    return true;
}

bool Simulator::Start(const SimulatorOptions& options, std::string& error) {
    Stop();
    m_stop.Reset();
    m_log = std::make_unique<RequestLog>(options.LogRequests);
    m_site = std::make_unique<SiteInstance>(options.SiteState);
    m_printers.clear();
    m_listeners.clear();
    m_siteAddress.reset();
    m_httpsAddress.reset();
    m_controlAddress.reset();

    auto add = [this, &error](std::string role, std::unique_ptr<httplib::Server> server,
                              const ListenAddress& wanted) -> Listener* {
        auto listener = std::make_unique<Listener>();
        listener->Role = std::move(role);
        listener->Server = std::move(server);
        if (!Bind(*listener, wanted, error))
            return nullptr;
        m_listeners.push_back(std::move(listener));
        return m_listeners.back().get();
    };
    auto fail = [this] {
        m_listeners.clear();
        m_printers.clear();
        return false;
    };

    for (std::size_t i = 0; i < options.Printers.size(); ++i) {
        Listener* listener = add("printer" + std::to_string(i), std::make_unique<httplib::Server>(),
                                 options.Printers[i].Address);
        if (listener == nullptr)
            return fail();
        m_printers.push_back(
            std::make_unique<PrinterInstance>(listener->Address, options.Printers[i].State));
        InstallPrinterRoutes(*listener->Server, *m_printers.back(), m_stop);
    }

    if (options.Site) {
        Listener* listener = add("site", std::make_unique<httplib::Server>(), *options.Site);
        if (listener == nullptr)
            return fail();
        m_siteAddress = listener->Address;
        InstallSiteRoutes(*listener->Server, *m_site, m_stop, false);
    }

    if (options.Https) {
        if (!m_certificate.Generate({options.Https->Host}, error))
            return fail();
        auto server =
            std::make_unique<httplib::SSLServer>(m_certificate.Certificate(), m_certificate.Key());
        if (!server->is_valid()) {
            error = "cannot set up TLS with the generated certificate";
            return fail();
        }
        Listener* listener = add("https", std::move(server), *options.Https);
        if (listener == nullptr)
            return fail();
        m_httpsAddress = listener->Address;
        InstallSiteRoutes(*listener->Server, *m_site, m_stop, true);
        if (!options.CertOut.empty() &&
            !WriteFileAtomically(options.CertOut, m_certificate.CertificatePem(), error))
            return fail();
    }

    if (options.Control) {
        Listener* listener = add("control", std::make_unique<httplib::Server>(), *options.Control);
        if (listener == nullptr)
            return fail();
        m_controlAddress = listener->Address;
        InstallControlRoutes(*listener->Server, m_printers, *m_site, *m_log);
    }

    for (auto& listener : m_listeners) {
        Listener* l = listener.get();
        l->Thread = std::thread([l] {
            l->Server->listen_after_bind();
            l->Finished = true;
        });
    }
    // Stop() only reaches a server whose accept loop has begun.
    for (auto& listener : m_listeners) {
        while (!listener->Server->is_running() && !listener->Finished)
            std::this_thread::yield();
    }
    return true;
}

void Simulator::Stop() {
    if (m_listeners.empty())
        return;
    m_stop.Trigger();
    for (auto& listener : m_listeners)
        listener->Server->stop();
    for (auto& listener : m_listeners) {
        if (listener->Thread.joinable())
            listener->Thread.join();
    }
    m_listeners.clear();
}

std::string Simulator::ReadyLine() const {
    std::string line = "ready";
    for (const auto& printer : m_printers)
        line += " printer=" + FormatHostPort(printer->Address);
    if (m_siteAddress)
        line += " site=" + FormatHostPort(*m_siteAddress);
    if (m_httpsAddress)
        line += " https=" + FormatHostPort(*m_httpsAddress);
    if (m_controlAddress)
        line += " control=" + FormatHostPort(*m_controlAddress);
    return line;
}

std::vector<ListenAddress> Simulator::PrinterAddresses() const {
    std::vector<ListenAddress> addresses;
    for (const auto& printer : m_printers)
        addresses.push_back(printer->Address);
    return addresses;
}

} // namespace kaldo::simulator
