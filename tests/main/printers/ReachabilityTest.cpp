#include "main/printers/Reachability.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kaldo {
namespace {

// A listening TCP socket on a free loopback port.
class Listener {
public:
    explicit Listener(int family = AF_INET) {
        m_fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_storage address{};
        socklen_t size = 0;
        if (family == AF_INET) {
            auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
            v4->sin_family = AF_INET;
            v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            size = sizeof(sockaddr_in);
        } else {
            auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
            v6->sin6_family = AF_INET6;
            v6->sin6_addr = in6addr_loopback;
            size = sizeof(sockaddr_in6);
        }
        if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(m_fd, 4) != 0 ||
            getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        m_port = ntohs(family == AF_INET ? reinterpret_cast<sockaddr_in*>(&address)->sin_port
                                         : reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    }
    ~Listener() { Close(); }
    void Close() {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }
    int Port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

TEST(ReachabilityTest, ListeningPrinterIsReachable) {
    Listener printer;
    ASSERT_GT(printer.Port(), 0);
    EXPECT_TRUE(IsPrinterReachable("127.0.0.1", printer.Port()));
}

TEST(ReachabilityTest, PrinterThatRefusesIsNotReachable) {
    Listener gone;
    const int port = gone.Port();
    ASSERT_GT(port, 0);
    gone.Close();
    EXPECT_FALSE(IsPrinterReachable("127.0.0.1", port));
}

TEST(ReachabilityTest, Ipv6PrinterIsReachableWithOrWithoutBrackets) {
    Listener printer(AF_INET6);
    ASSERT_GT(printer.Port(), 0);
    EXPECT_TRUE(IsPrinterReachable("::1", printer.Port()));
    EXPECT_TRUE(IsPrinterReachable("[::1]", printer.Port()));
}

TEST(ReachabilityTest, EmptyOrInvalidTargetIsNotReachable) {
    EXPECT_FALSE(IsPrinterReachable("", 80));
    EXPECT_FALSE(IsPrinterReachable("127.0.0.1", 0));
    EXPECT_FALSE(IsPrinterReachable("127.0.0.1", 70000));
}

} // namespace
} // namespace kaldo
