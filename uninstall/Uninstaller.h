#pragma once

#include "platform/instance/ProgramLock.h"

#include <string>
#include <vector>

namespace kaldo {

class Registry;
class SetupSupport;

// The installed content folders of a Data folder: plain folders only, in name order without
// regard to case. Links, hidden folders and folders that are read-only for their owner are not
// content.
std::vector<std::string> ContentFolders(const std::string& dataFolder);

// Whether anyone, whichever user, runs the main program of the installation in
// `programFolder` now.
RunState MainProgramState(const std::string& programFolder);

// Removes content folders and, with the last one, the whole installation.
class Uninstaller {
public:
    // `ownFile` is the running uninstaller: when it lies in the program folder it goes last.
    Uninstaller(SetupSupport& setup, Registry& registry, std::string ownFile);

    const std::string& ProgramFolder() const { return m_programFolder; }
    const std::string& DataFolder() const { return m_dataFolder; }

    // Whether anything of an installation is there: the program folder or the uninstall entry.
    bool HasInstallation() const;

    // Reads the content folders again.
    void Refresh();
    const std::vector<std::string>& Contents() const { return m_contents; }

    // The listed content folder that `name` means: the same name, else one that differs only
    // in case; empty when there is none.
    std::string FindContent(const std::string& name) const;

    // Deletes the named content folders in order. When that accounts for every listed folder,
    // removes the installation too and answers true.
    bool Remove(const std::vector<std::string>& names);

    // The menu entries and their submenu, the icon, the desktop shortcut, both registry keys
    // and the program folder, the running uninstaller's own file last.
    void RemoveInstallation();

    // What the last Remove or RemoveInstallation could not delete: files (or folders that
    // stayed without any), in path order. Empty when everything went.
    const std::vector<std::string>& NotRemoved() const { return m_notRemoved; }

private:
    void RemoveProgramFolder();
    void NoteLeftovers(const std::string& path);

    SetupSupport& m_setup;
    Registry& m_registry;
    std::string m_ownFile;
    std::string m_programFolder;
    std::string m_dataFolder;
    std::vector<std::string> m_contents;
    std::vector<std::string> m_notRemoved;
};

} // namespace kaldo
