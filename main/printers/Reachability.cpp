#include "main/printers/Reachability.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kaldo {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

struct SocketClose {
    int Fd;
    ~SocketClose() {
        if (Fd >= 0)
            close(Fd);
    }
};

bool ConnectsWithin(const sockaddr* address, socklen_t length, int family,
                    std::chrono::steady_clock::time_point deadline) {
    SocketClose socketFd{socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    if (socketFd.Fd < 0)
        return false;
    if (connect(socketFd.Fd, address, length) == 0)
        return true;
    if (errno != EINPROGRESS)
        return false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd waiting{socketFd.Fd, POLLOUT, 0};
        const int ready = poll(&waiting, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        int error = 0;
        socklen_t size = sizeof(error);
        return getsockopt(socketFd.Fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
}

bool HostAccepts(std::string host, int port, std::chrono::milliseconds limit) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty() || port <= 0 || port > 65535)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* result = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &result) != 0)
        return false;
    std::unique_ptr<addrinfo, AddrInfoFree> owner(result);
    for (const addrinfo* entry = result; entry; entry = entry->ai_next) {
        if (ConnectsWithin(entry->ai_addr, entry->ai_addrlen, entry->ai_family, deadline))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            break;
    }
    return false;
}

} // namespace

bool IsPrinterReachable(std::string_view address, int port, std::chrono::milliseconds limit) {
    return HostAccepts(std::string(address), port, limit);
}

} // namespace kaldo
