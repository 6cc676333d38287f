#include "main/app/InstanceChannel.h"

#include "platform/Paths.h"

#include <QLocalSocket>

#include <cstring>

namespace kaldo {

namespace {

constexpr char kHandled = 1;

} // namespace

std::string InstanceSocketPath(const std::string& runtimeFolder, const std::string& className) {
    return JoinPath(runtimeFolder, className + ".socket");
}

InstanceServer::InstanceServer(Handler handler)
    : m_handler(std::move(handler)) {}

bool InstanceServer::Listen(const std::string& path) {
    QLocalServer::removeServer(QString::fromStdString(path));
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this] { Accept(); });
    return m_server->listen(QString::fromStdString(path));
}

void InstanceServer::Close() {
    m_closed = true;
    if (!m_server)
        return;
    m_server->close();
    // Senders still waiting learn at once that their name was not taken.
    for (QLocalSocket* socket : m_server->findChildren<QLocalSocket*>())
        socket->abort();
}

void InstanceServer::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (m_closed || socket->bytesAvailable() < qint64(sizeof(ForwardedName)))
                return;
            ForwardedName bytes{};
            socket->read(bytes.data(), qint64(bytes.size()));
            bytes.back() = '\0';
            m_handler(std::string(bytes.data(), strnlen(bytes.data(), bytes.size())));
            socket->write(&kHandled, 1);
            socket->flush();
        });
    }
}

Forwarding ForwardToRunningInstance(const std::string& path, const ForwardedName& name,
                                    std::chrono::milliseconds limit) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(path));
    const int ms = int(limit.count());
    if (!socket.waitForConnected(ms))
        return Forwarding::NotTaken;
    socket.write(name.data(), qint64(name.size()));
    // The running instance may switch printers before it answers; that takes a while.
    char answer = 0;
    if (socket.waitForBytesWritten(ms) && socket.waitForReadyRead(ms) &&
        socket.read(&answer, 1) == 1)
        return answer == kHandled ? Forwarding::Handled : Forwarding::Unanswered;
    return socket.state() == QLocalSocket::UnconnectedState ? Forwarding::NotTaken
                                                            : Forwarding::Unanswered;
}

} // namespace kaldo
