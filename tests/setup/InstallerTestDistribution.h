#pragma once

#include "platform/fileversion/FileVersion.h"
#include "tests/setupsupport/SetupTestMachine.h"

#include <string>

namespace kaldo::testsupport {

// A distribution folder as the installer ships in: the three programs with version blocks and
// Data with two content folders.
inline std::string VersionedProgram(const FileVersion& version, const std::string& text) {
    const auto block = EncodeFixedFileInfo(version);
    return "\x7f"
           "ELF " +
           text + std::string(block.begin(), block.end());
}

inline void MakeDistribution(const std::string& folder, const FileVersion& version = {1, 0, 0, 0}) {
    WriteBytes(folder + "/ktendwell", VersionedProgram(version, "main program"));
    WriteBytes(folder + "/tendwellinstall", VersionedProgram(version, "installer"));
    WriteBytes(folder + "/tendwelluninstall", VersionedProgram(version, "uninstaller"));
    WriteBytes(folder + "/Data/presslane_3000/toolboxinfo.xml", "<ToolboxInfo/>");
    WriteBytes(folder + "/Data/presslane_3000/ui/home.html", "<html>shipped</html>");
    WriteBytes(folder + "/Data/presslane_c5000/toolboxinfo.xml", "<ToolboxInfo/>");
    WriteBytes(folder + "/Data/presslane_c5000/xml/index.xml", "<index/>");
}

} // namespace kaldo::testsupport
