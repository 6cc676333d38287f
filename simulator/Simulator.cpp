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
    std::string role;
    ListenAddress address;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::atomic<bool> finished{false};
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
    httplib::Server& server = *listener.server;
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
    server.set_post_routing_handler([log = m_log.get(), role = listener.role](
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

    int port = wanted.port;
    if (port == 0) {
        port = server.bind_to_any_port(wanted.host);
    } else if (!server.bind_to_port(wanted.host, port)) {
        port = -1;
    }
    if (port < 0) {
        error = "cannot listen on " + FormatHostPort(wanted) + " for " + listener.role +
                " (in use or not available)";
        return false;
    }
    listener.address = {wanted.host, port};
    return true;
}

bool Simulator::Start(const SimulatorOptions& options, std::string& error) {
    Stop();
    m_stop.Reset();
    m_log = std::make_unique<RequestLog>(options.logRequests);
    m_site = std::make_unique<SiteInstance>(options.siteState);
    m_printers.clear();
    m_listeners.clear();
    m_siteAddress.reset();
    m_httpsAddress.reset();
    m_controlAddress.reset();

    auto add = [this, &error](std::string role, std::unique_ptr<httplib::Server> server,
                              const ListenAddress& wanted) -> Listener* {
        auto listener = std::make_unique<Listener>();
        listener->role = std::move(role);
        listener->server = std::move(server);
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

    for (std::size_t i = 0; i < options.printers.size(); ++i) {
        Listener* listener = add("printer" + std::to_string(i), std::make_unique<httplib::Server>(),
                                 options.printers[i].address);
        if (listener == nullptr)
            return fail();
        m_printers.push_back(
            std::make_unique<PrinterInstance>(listener->address, options.printers[i].state));
        InstallPrinterRoutes(*listener->server, *m_printers.back(), m_stop);
    }

    if (options.site) {
        Listener* listener = add("site", std::make_unique<httplib::Server>(), *options.site);
        if (listener == nullptr)
            return fail();
        m_siteAddress = listener->address;
        InstallSiteRoutes(*listener->server, *m_site, m_stop, false);
    }

    if (options.https) {
        if (!m_certificate.Generate({options.https->host}, error))
            return fail();
        auto server =
            std::make_unique<httplib::SSLServer>(m_certificate.Certificate(), m_certificate.Key());
        if (!server->is_valid()) {
            error = "cannot set up TLS with the generated certificate";
            return fail();
        }
        Listener* listener = add("https", std::move(server), *options.https);
        if (listener == nullptr)
            return fail();
        m_httpsAddress = listener->address;
        InstallSiteRoutes(*listener->server, *m_site, m_stop, true);
        if (!options.certOut.empty() &&
            !WriteFileAtomically(options.certOut, m_certificate.CertificatePem(), error))
            return fail();
    }

    if (options.control) {
        Listener* listener = add("control", std::make_unique<httplib::Server>(), *options.control);
        if (listener == nullptr)
            return fail();
        m_controlAddress = listener->address;
        InstallControlRoutes(*listener->server, m_printers, *m_site, *m_log);
    }

    for (auto& listener : m_listeners) {
        Listener* l = listener.get();
        l->thread = std::thread([l] {
            l->server->listen_after_bind();
            l->finished = true;
        });
    }
    // Stop() only reaches a server whose accept loop has begun.
    for (auto& listener : m_listeners) {
        while (!listener->server->is_running() && !listener->finished)
            std::this_thread::yield();
    }
    return true;
}

void Simulator::Stop() {
    if (m_listeners.empty())
        return;
    m_stop.Trigger();
    for (auto& listener : m_listeners)
        listener->server->stop();
    for (auto& listener : m_listeners) {
        if (listener->thread.joinable())
            listener->thread.join();
    }
    m_listeners.clear();
}

std::string Simulator::ReadyLine() const {
    std::string line = "ready";
    for (const auto& printer : m_printers)
        line += " printer=" + FormatHostPort(printer->address);
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
        addresses.push_back(printer->address);
    return addresses;
}

} // namespace kaldo::simulator
