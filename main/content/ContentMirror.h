#pragma once

#include <string>

namespace kaldo {

// The program folder is only read; each user works on a mirror of its content folders in the
// state folder (Paths.h StateFolder): real folders, a symbolic link for every installed file,
// and real files only for what the program writes there. Relative links of the pages keep
// working, and installed documents and videos are not copied per user.

// Brings the state folder's Data mirror in step with the installation: links for added files,
// none for removed files or content folders, and an installed file that is newer than this
// user's own copy (a download, an update) replaces it. False when the installation's data
// folder cannot be read or the mirror cannot be made.
bool MirrorContentFolders(const std::string& programFolder, const std::string& stateFolder);

// The same for one content folder. A toolbox.xml of the installation is not linked: each user
// merges their own.
bool MirrorContentFolder(const std::string& installedFolder, const std::string& mirrorFolder);

} // namespace kaldo
