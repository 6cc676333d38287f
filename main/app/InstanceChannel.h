#pragma once

#include "main/app/CommandLine.h"

#include <QLocalServer>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace kaldo {

// The path of the local socket through which a second start hands its printer name to the
// running instance of this user, in the user's runtime folder.
std::string InstanceSocketPath(const std::string& runtimeFolder, const std::string& className);

// The running instance's end: each connection delivers one 100-byte name; the handler runs on
// the main thread, and only then is the sender released, so the switch is done when the
// second process ends.
class InstanceServer final {
public:
    using Handler = std::function<void(const std::string& printerName)>;

    explicit InstanceServer(Handler handler);
    // Listens on `path`; a socket left behind by a crashed instance is removed first (the caller
    // holds the instance lock, so nobody else listens there).
    bool Listen(const std::string& path);
    // Stops listening and handles nothing more; a sender still waiting is let go unanswered.
    void Close();

private:
    void Accept();

    Handler m_handler;
    std::unique_ptr<QLocalServer> m_server;
    bool m_closed = false;
};

enum class Forwarding {
    Handled, // the running instance has handled the name
    // Nobody took the name: the instance does not listen yet (it has not made its window) or
    // any more (it is ending), or it let the sender go unanswered as it closed.
    NotTaken,
    Unanswered, // the instance took the name and did not answer in time
};

// The second start's end: sends the name and waits until the running instance has handled it.
Forwarding ForwardToRunningInstance(const std::string& path, const ForwardedName& name,
                                    std::chrono::milliseconds limit);

} // namespace kaldo
