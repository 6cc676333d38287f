#include "setupsupport/SpecialFolders.h"

#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kaldo {

namespace {

std::string Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// A shell-quoted value: "..." with backslash escapes, or a bare word.
std::string Unquote(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::string(value);
    std::string text;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size())
            ++i;
        text.push_back(value[i]);
    }
    return text;
}

// Whether `path`, with the links of the part that exists resolved, lies in `home` (or is it).
bool LiesInHome(const std::string& path, const std::string& home) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path realHome = fs::canonical(home, error);
    if (error)
        return false;
    const fs::path real = fs::weakly_canonical(path, error);
    if (error)
        return false;
    const auto [homeEnd, pathAt] =
        std::mismatch(realHome.begin(), realHome.end(), real.begin(), real.end());
    return homeEnd == realHome.end();
}

} // namespace

std::optional<std::string> UserDirFromFile(std::string_view fileText, std::string_view name,
                                           std::string_view home) {
    const std::string key = "XDG_" + std::string(name) + "_DIR";
    std::optional<std::string> found;
    std::istringstream lines{std::string(fileText)};
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        if (line.empty() || line.front() == '#')
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)) != key)
            continue;
        const std::string value = Unquote(Trim(line.substr(equals + 1)));
        if (value == "$HOME")
            found = std::string(home);
        else if (value.rfind("$HOME/", 0) == 0)
            found = JoinPath(home, value.substr(6));
        else if (!value.empty() && value.front() == '/')
            found = value;
        else
            found.reset();
    }
    return found;
}

std::optional<std::string> DesktopFolder() {
    const std::optional<std::string> home = HomeFolder();
    if (!home)
        return std::nullopt;
    const std::string config =
        AbsolutePathVariable("XDG_CONFIG_HOME").value_or(JoinPath(*home, ".config"));
    std::ifstream file(JoinPath(config, "user-dirs.dirs"));
    if (file) {
        std::stringstream text;
        text << file.rdbuf();
        // The file is the user's to write; a setup run as root must not follow it out of the
        // home folder.
        const auto folder = UserDirFromFile(text.str(), "DESKTOP", *home);
        if (folder && LiesInHome(*folder, *home))
            return folder;
    }
    if (auto folder = AbsolutePathVariable("XDG_DESKTOP_DIR"))
        return folder;
    return JoinPath(*home, "Desktop");
}

namespace {

std::optional<std::string> UserFolder(const char* variable, const char* fallback,
                                      std::string_view relative) {
    if (auto base = AbsolutePathVariable(variable))
        return JoinPath(*base, relative);
    const std::optional<std::string> home = HomeFolder();
    if (!home)
        return std::nullopt;
    return JoinPath(JoinPath(*home, fallback), relative);
}

std::optional<std::string> DataFolder(int programsId, std::string_view relative) {
    if (programsId == kFolderCommonPrograms)
        return MachinePath(JoinPath("/usr/local/share", relative));
    if (programsId == kFolderPrograms)
        return UserFolder("XDG_DATA_HOME", ".local/share", relative);
    return std::nullopt;
}

} // namespace

std::optional<std::string> MenuDirectoriesFolder(int programsId) {
    return DataFolder(programsId, "desktop-directories");
}

std::optional<std::string> MergedMenusFolder(int programsId) {
    if (programsId == kFolderCommonPrograms)
        return MachinePath("/etc/xdg/menus/applications-merged");
    if (programsId == kFolderPrograms)
        return UserFolder("XDG_CONFIG_HOME", ".config", "menus/applications-merged");
    return std::nullopt;
}

std::optional<std::string> IconThemeFolder(int programsId) {
    return DataFolder(programsId, "icons/hicolor");
}

std::optional<std::string> SpecialFolderPath(int id) {
    switch (id) {
    case kFolderPrograms:
    case kFolderCommonPrograms:
        return DataFolder(id, "applications");
    case kFolderCommonDesktop:
        return DesktopFolder();
    case kFolderProgramFiles:
        return MachinePath("/opt");
    default:
        return std::nullopt;
    }
}

} // namespace kaldo
