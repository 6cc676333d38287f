#pragma once

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kaldo::testsupport {

// Writes the sysfs entries of a USB printer-class device below `root`, the way usblp shows
// them: /sys/class/usbmisc/<name>/device links to the USB interface, which holds the
// IEEE 1284 device id; the USB device above it holds the descriptor's serial number.
inline void AddSysfsPrinter(const std::string& root, const std::string& name,
                            const std::string& deviceId, const std::string& usbSerial = "",
                            const std::string& interfaceNumber = "00",
                            const std::string& classFolder = "usbmisc") {
    namespace fs = std::filesystem;
    const std::string usbDevice = "sys/devices/pci0000:00/usb1/1-" + name;
    const fs::path interface = fs::path(root) / usbDevice / ("1-" + name + ":1.0");
    fs::create_directories(interface);
    std::ofstream(interface / "ieee1284_id") << deviceId << "\n";
    std::ofstream(interface / "bInterfaceNumber") << interfaceNumber << "\n";
    if (!usbSerial.empty())
        std::ofstream(fs::path(root) / usbDevice / "serial") << usbSerial << "\n";
    const fs::path entry = fs::path(root) / "sys/class" / classFolder / name;
    fs::create_directories(entry);
    fs::create_directory_symlink(fs::path("../../../..") / usbDevice / interface.filename(),
                                 entry / "device");
}

// A printer at the other end of a pseudo terminal: the library opens the terminal's device
// (linked from /dev/usb/<name>), this side reads the request and answers as told.
class FakeUsbPrinter {
public:
    enum class Behaviour {
        Answer,          // the whole answer at once
        AnswerInPieces,  // the answer in two parts with a pause between them
        AnswerAndHangUp, // the answer, then the device goes away
        Silent,          // reads the request, never answers
    };

    FakeUsbPrinter() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_devicePath = ::ptsname(m_master);
        // Held open so the terminal stays up between the library's opens; never read.
        m_slave = ::open(m_devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw{};
        if (m_slave >= 0 && ::tcgetattr(m_slave, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(m_slave, TCSANOW, &raw);
        }
    }

    ~FakeUsbPrinter() {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        CloseMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }

    bool Ready() const { return m_master >= 0 && m_slave >= 0; }
    const std::string& DevicePath() const { return m_devicePath; }

    // Links root/dev/usb/<name> to this printer's terminal.
    void LinkNode(const std::string& root, const std::string& name) const {
        std::filesystem::create_directories(root + "/dev/usb");
        std::filesystem::create_symlink(m_devicePath, root + "/dev/usb/" + name);
    }

    // Starts answering requests that end in "/>" (the request ends with the lang element).
    void Respond(std::string answer, Behaviour behaviour = Behaviour::Answer) {
        m_thread = std::thread([this, answer = std::move(answer), behaviour] {
            std::string request;
            while (!m_stop) {
                pollfd fd{m_master, POLLIN, 0};
                if (::poll(&fd, 1, 50) <= 0 || (fd.revents & POLLIN) == 0)
                    continue;
                char buffer[1024];
                const ssize_t got = ::read(m_master, buffer, sizeof buffer);
                if (got <= 0)
                    continue;
                request.append(buffer, size_t(got));
                if (request.find("<lang") == std::string::npos || !request.ends_with("/>"))
                    continue;
                {
                    std::lock_guard lock(m_mutex);
                    m_request = request;
                }
                request.clear();
                Answer(answer, behaviour);
                if (behaviour == Behaviour::AnswerAndHangUp)
                    return;
            }
        });
    }

    std::string Request() {
        std::lock_guard lock(m_mutex);
        return m_request;
    }

private:
    void Write(std::string_view text) {
        while (!text.empty() && !m_stop) {
            const ssize_t written = ::write(m_master, text.data(), text.size());
            if (written <= 0)
                return;
            text.remove_prefix(size_t(written));
        }
    }

    void Answer(const std::string& answer, Behaviour behaviour) {
        switch (behaviour) {
        case Behaviour::Answer:
            Write(answer);
            break;
        case Behaviour::AnswerInPieces:
            Write(std::string_view(answer).substr(0, answer.size() / 2));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            Write(std::string_view(answer).substr(answer.size() / 2));
            break;
        case Behaviour::AnswerAndHangUp:
            Write(answer);
            // Give the reader the bytes before the terminal goes away with them.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            CloseMaster();
            break;
        case Behaviour::Silent:
            break;
        }
    }

    void CloseMaster() {
        const int master = m_master.exchange(-1);
        if (master >= 0)
            ::close(master);
    }

    std::atomic<int> m_master{-1};
    int m_slave = -1;
    std::string m_devicePath;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::string m_request;
};

} // namespace kaldo::testsupport
