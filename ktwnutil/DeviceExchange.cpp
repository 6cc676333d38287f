#include "ktwnutil/DeviceExchange.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kaldo::usb {

namespace {

using Clock = std::chrono::steady_clock;

class UniqueFd final {
public:
    explicit UniqueFd(int fd)
        : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

enum class Wait { Ready, TimedOut, Woken, Failed };

// Waits for `events` on `fd` (or for the end of the stream) until `deadline`.
Wait WaitFor(int fd, short events, int wakeFd, Clock::time_point deadline, short& revents) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return Wait::TimedOut;
        std::array<pollfd, 2> fds{{{fd, events, 0}, {wakeFd, POLLIN, 0}}};
        const int count = ::poll(fds.data(), wakeFd >= 0 ? 2 : 1, int(left.count()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Wait::Failed;
        if (count == 0)
            return Wait::TimedOut;
        if (wakeFd >= 0 && fds[1].revents != 0)
            return Wait::Woken;
        revents = fds[0].revents;
        return Wait::Ready;
    }
}

bool IsNameChar(char c) {
    return std::isalnum((unsigned char)c) || c == '_' || c == '-' || c == '.' || c == ':' ||
           (unsigned char)c >= 0x80;
}

// Skips what may stand before the root element: a byte order mark, white space, the XML
// declaration, processing instructions, comments and a document type declaration.
size_t RootStart(std::string_view text) {
    size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    for (;;) {
        while (pos < text.size() && std::isspace((unsigned char)text[pos]))
            ++pos;
        const std::string_view rest = text.substr(std::min(pos, text.size()));
        std::string_view close;
        if (rest.starts_with("<?"))
            close = "?>";
        else if (rest.starts_with("<!--"))
            close = "-->";
        else if (rest.starts_with("<!"))
            close = ">";
        else
            return pos;
        const size_t end = rest.find(close);
        if (end == std::string_view::npos)
            return std::string_view::npos;
        pos += end + close.size();
    }
}

} // namespace

bool IsCompleteXml(std::string_view text) {
    const size_t start = RootStart(text);
    if (start == std::string_view::npos || start >= text.size() || text[start] != '<')
        return false;
    size_t nameEnd = start + 1;
    while (nameEnd < text.size() && IsNameChar(text[nameEnd]))
        ++nameEnd;
    const std::string_view name = text.substr(start + 1, nameEnd - start - 1);
    if (name.empty() || nameEnd >= text.size())
        return false;
    const size_t tagEnd = text.find('>', nameEnd);
    if (tagEnd == std::string_view::npos)
        return false;
    if (text[tagEnd - 1] == '/')
        return true;

    // The closing tag of the root is the last thing in the answer: "</name" [space] ">".
    std::string_view body = text.substr(tagEnd + 1);
    while (!body.empty() && std::isspace((unsigned char)body.back()))
        body.remove_suffix(1);
    if (!body.ends_with('>'))
        return false;
    body.remove_suffix(1);
    while (!body.empty() && std::isspace((unsigned char)body.back()))
        body.remove_suffix(1);
    return body.ends_with(name) && body.substr(0, body.size() - name.size()).ends_with("</");
}

Exchange ExchangeWithDevice(const std::string& devicePath, std::string_view request,
                            const ExchangeLimits& limits, int wakeFd, std::string& answer) {
    answer.clear();
    const UniqueFd device(::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (device.Get() < 0)
        return Exchange::DeviceError;
    const Clock::time_point deadline = Clock::now() + limits.Overall;
    short revents = 0;

    while (!request.empty()) {
        switch (WaitFor(device.Get(), POLLOUT, wakeFd, deadline, revents)) {
        case Wait::Woken:
            return Exchange::Aborted;
        case Wait::TimedOut:
        case Wait::Failed:
            return Exchange::DeviceError;
        case Wait::Ready:
            break;
        }
        const ssize_t written = ::write(device.Get(), request.data(), request.size());
        if (written < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (written <= 0)
            return Exchange::DeviceError;
        request.remove_prefix(size_t(written));
    }

    std::array<char, 4096> buffer;
    for (;;) {
        const Clock::time_point until =
            answer.empty() ? deadline : std::min(deadline, Clock::now() + limits.QuietGap);
        switch (WaitFor(device.Get(), POLLIN, wakeFd, until, revents)) {
        case Wait::Woken:
            return Exchange::Aborted;
        case Wait::Failed:
            return answer.empty() ? Exchange::DeviceError : Exchange::Answered;
        case Wait::TimedOut:
            return answer.empty() ? Exchange::NoAnswer : Exchange::Answered;
        case Wait::Ready:
            break;
        }
        const ssize_t got = ::read(device.Get(), buffer.data(), buffer.size());
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        // The end of the stream (or a device that went away) ends the answer.
        if (got <= 0)
            return answer.empty() ? Exchange::NoAnswer : Exchange::Answered;
        if (answer.size() + size_t(got) > limits.MaxAnswerBytes) {
            answer.clear();
            return Exchange::TooLong;
        }
        answer.append(buffer.data(), size_t(got));
        if (IsCompleteXml(answer))
            return Exchange::Answered;
    }
}

} // namespace kaldo::usb
