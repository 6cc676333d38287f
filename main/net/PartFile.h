#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// A file written under a temporary name beside its target and moved into place only when it
// is complete, so that nobody ever reads a partial or truncated target. Discarded unless
// committed.
class PartFile final {
public:
    explicit PartFile(std::string target);
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Creates the temporary file (mode 0666 less the umask, like any new file).
    bool open();
    bool isOpen() const { return m_fd >= 0; }
    bool write(std::string_view bytes);
    // Closes the temporary file and renames it over the target; false (and discarded) if any
    // write or the close failed.
    bool commit();
    void discard();

    const std::string& target() const { return m_target; }
    const std::string& temporaryPath() const { return m_temporary; }

private:
    std::string m_target;
    std::string m_temporary;
    int m_fd = -1;
    bool m_failed = false;
};

} // namespace kaldo
