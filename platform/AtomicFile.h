#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kaldo {

// How a complete file takes its target's place; readers see the old or the new file either way.
enum class ReplaceMode {
    // By a rename, after which ext4 writes the new data out at once: a power cut right after
    // leaves the old or the new file, not an empty one. For what the user would lose.
    Durable,
    // By exchanging the two names and removing the old file, which ext4 leaves to its usual
    // write-back. For what the program makes again whenever it is needed: pages, search results.
    Regenerable,
};

// A file written under a temporary name beside its target and put in its place (ReplaceMode)
// only when it is complete: a full disk, a failed write or a killed process leaves the old target
// as it was and no temporary file behind (the destructor removes an uncommitted one). Either way
// the target's directory entry is replaced, so a target that is a symbolic link is replaced by
// the new file and the file the link pointed to stays untouched.
class AtomicFile final {
public:
    explicit AtomicFile(std::string target, ReplaceMode mode = ReplaceMode::Durable);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file (mode 0666 less the umask, like any new file) and opens it
    // for writing. False when the target's folder does not take a new file.
    bool Open();
    bool IsOpen() const { return m_stream != nullptr; }

    // The open temporary file, for writers that take a stdio stream; null before Open.
    std::FILE* Stream() const { return m_stream; }
    // Its name, for writers that open files by name themselves; empty before Open.
    const std::string& TemporaryPath() const { return m_temporary; }
    const std::string& Target() const { return m_target; }

    bool Write(std::string_view bytes);

    // Closes the temporary file and puts it in the target's place. False, with the target as it
    // was and the temporary file removed, when any write through Stream() or the close failed.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

private:
    bool PutInPlace();

    std::string m_target;
    ReplaceMode m_mode;
    std::string m_temporary;
    std::FILE* m_stream = nullptr;
};

// Writes `content` as the whole new content of `path` through an AtomicFile.
bool WriteFileAtomically(const std::string& path, std::string_view content,
                         ReplaceMode mode = ReplaceMode::Durable);

// Makes `path` a symbolic link to `linkTarget` in one step: the link is made under a temporary
// name beside it and renamed over it, so `path` is never missing, and a link that stood there
// is replaced, not followed.
bool ReplaceWithLink(const std::string& linkTarget, const std::string& path);

} // namespace kaldo
