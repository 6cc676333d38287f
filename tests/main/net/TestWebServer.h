#pragma once

#include "simulator/SelfSignedCertificate.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kaldo::testsupport {

// Holds handlers that stall until the test lets them go (at the latest when it ends).
class Gate {
public:
    void Wait(std::chrono::seconds limit = std::chrono::seconds(60)) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, limit, [this] { return m_open; });
    }
    void Open() {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
};

struct SeenRequest {
    std::string Method;
    std::string Target; // path and query as sent
    std::string Agent;
};

// An HTTP (or, with a certificate, HTTPS) server on a free loopback port in this process,
// recording what it was asked.
class TestWebServer {
public:
    TestWebServer()
        : m_server(std::make_unique<httplib::Server>()) {}

    explicit TestWebServer(const kaldo::simulator::SelfSignedCertificate& certificate)
        : m_server(
              std::make_unique<httplib::SSLServer>(certificate.Certificate(), certificate.Key())) {}

    ~TestWebServer() {
        m_gate.Open();
        m_server->stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    httplib::Server& Routes() { return *m_server; }
    Gate& Stall() { return m_gate; }

    // GET `path` sends its first bytes, then nothing until the test ends.
    void ServeStalling(const std::string& path) {
        m_server->Get(path, [this](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider("application/octet-stream",
                                                  [this](size_t, httplib::DataSink& sink) {
                                                      sink.write("first bytes", 11);
                                                      m_gate.Wait();
                                                      return false;
                                                  });
        });
    }

    // Call after the routes are set.
    bool Start() {
        m_server->set_pre_routing_handler(
            [this](const httplib::Request& request, httplib::Response&) {
                {
                    std::lock_guard lock(m_mutex);
                    m_seen.push_back(
                        {request.method, request.target, request.get_header_value("User-Agent")});
                }
                m_arrival.notify_all();
                return httplib::Server::HandlerResponse::Unhandled;
            });
        m_port = m_server->bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            return false;
        m_thread = std::thread([this] { m_server->listen_after_bind(); });
        // stop() does nothing before the server runs, so make sure it does.
        for (int i = 0; i < 1000 && !m_server->is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return m_server->is_running();
    }

    int Port() const { return m_port; }
    std::string Url(const std::string& target, const std::string& scheme = "http") const {
        return scheme + "://127.0.0.1:" + std::to_string(m_port) + target;
    }

    // Requests that have arrived, answered or not.
    std::vector<SeenRequest> Seen() {
        std::lock_guard lock(m_mutex);
        return m_seen;
    }

    // Waits (bounded) until `count` requests have arrived.
    bool WaitForArrivals(size_t count) {
        std::unique_lock lock(m_mutex);
        return m_arrival.wait_for(lock, std::chrono::seconds(10),
                                  [&] { return m_seen.size() >= count; });
    }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    Gate m_gate;
    std::mutex m_mutex;
    std::condition_variable m_arrival;
    std::vector<SeenRequest> m_seen;
};

// A loopback port with nothing listening on it.
inline int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

} // namespace kaldo::testsupport
