#pragma once

#include <QIcon>

#include <string>

namespace kaldo {

// The program's icon in every size it is drawn in, for the windows of all three programs.
QIcon ProgramIcon();

// Puts the icon (kProgramIconName) into the hicolor theme below `themeFolder` (…/icons/hicolor):
// the scalable picture and one PNG per size, each written beside and renamed. False when a file
// could not be written; `error` then says which.
bool WriteProgramIcons(const std::string& themeFolder, std::string& error);

// Deletes what WriteProgramIcons wrote; the theme's folders stay.
void RemoveProgramIcons(const std::string& themeFolder);

} // namespace kaldo
