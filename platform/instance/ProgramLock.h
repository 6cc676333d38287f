#pragma once

#include "platform/instance/Descriptor.h"

#include <string>
#include <string_view>

namespace kaldo {

// Whether anyone runs the program of an installation.
enum class RunState {
    NotRunning,
    Running,
    Unknown, // the lock file cannot be opened or tested
};

// The lock through which every running instance, whoever's it is, shows itself to the
// uninstaller: a shared lock on a file of the program folder. The file belongs to the
// installation, so only its owner can open it for writing; the lock is a record lock, which
// needs a file opened for writing to be taken exclusively. Other users can neither make it
// nor keep instances from taking it.
class ProgramLock final {
public:
    static constexpr std::string_view kFileName = "ktendwell.lock";

    // Takes a shared lock on `path` for the life of the object. A missing file is made
    // (readable by all) when the folder lets us.
    explicit ProgramLock(const std::string& path);

    bool Held() const { return m_fd.Valid(); }
    // Why the lock is not held.
    const std::string& Error() const { return m_error; }

    // Whether any process holds the lock on `path`; never waits and takes nothing. A missing
    // file means nobody runs: an instance cannot start without it. `error` gets the reason
    // for Unknown.
    static RunState Probe(const std::string& path, std::string* error = nullptr);

private:
    Descriptor m_fd;
    std::string m_error;
};

} // namespace kaldo
