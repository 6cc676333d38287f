#pragma once

#include <string>

namespace kaldo {

struct PathsRecord;

// A program folder of our own in the temporary folder, in which a content folder stands as
// Data/<name> the way the installer places it, so the program's own path rules apply to it.
// Removed with everything in it; a linked content folder loses only the link.
class ProgramFolderStage final {
public:
    ProgramFolderStage();
    ~ProgramFolderStage();
    ProgramFolderStage(const ProgramFolderStage&) = delete;
    ProgramFolderStage& operator=(const ProgramFolderStage&) = delete;

    // Empty when the folder could not be made.
    const std::string& ProgramFolder() const { return m_folder; }

    // Copies `contentFolder` to <dataFolder>/<name>; returns the copy, or an empty text with
    // the reason in `error`.
    std::string Copy(const std::string& contentFolder, const std::string& dataFolder,
                     const std::string& name, std::string& error);
    // Places a link <dataFolder>/<name> to `contentFolder`: what the program writes there lands
    // in the content folder itself.
    std::string Link(const std::string& contentFolder, const std::string& dataFolder,
                     const std::string& name, std::string& error);

private:
    std::string Place(const std::string& dataFolder, const std::string& name, std::string& error);

    std::string m_folder;
};

// Whether `name` is one plain folder name: not empty, no separator, not "." or "..".
bool IsPlainName(const std::string& name);

// Why the model's folders would not all lie inside its content folder: a UI, XML, document or
// video folder that is absolute or climbs out with "..". Empty when they all stay inside.
std::string FolderEscapeProblem(const PathsRecord& paths);

} // namespace kaldo
