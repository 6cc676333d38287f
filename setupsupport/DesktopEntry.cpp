#include "setupsupport/DesktopEntry.h"

#include "platform/AsciiText.h"

#include <cctype>

namespace kaldo {

std::string QuoteExecArgument(std::string_view argument) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`=";
    std::string quoted;
    const bool needsQuotes =
        argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos;
    if (needsQuotes)
        quoted.push_back('"');
    for (char c : argument) {
        if (needsQuotes && (c == '"' || c == '`' || c == '$' || c == '\\'))
            quoted.push_back('\\');
        if (c == '%')
            quoted.push_back('%');
        quoted.push_back(c);
    }
    if (needsQuotes)
        quoted.push_back('"');
    return quoted;
}

std::string EscapeDesktopValue(std::string_view value) {
    std::string escaped;
    for (char c : value) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped.push_back(c);
        }
    }
    return escaped;
}

namespace {

// The words of `text` joined by '-', keeping only characters that are safe in a file name.
std::string JoinedWords(std::string_view text, bool lowerCase) {
    std::string joined;
    bool gap = false;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isspace(u) || c == '\\' || c == '/') {
            gap = !joined.empty();
            continue;
        }
        if (!std::isalnum(u) && c != '-' && c != '_' && c != '.')
            continue;
        if (gap)
            joined.push_back('-');
        gap = false;
        joined.push_back(lowerCase ? AsciiLower(c) : c);
    }
    return joined;
}

} // namespace

std::string DesktopFileId(std::string_view name) {
    return JoinedWords(name, true);
}

std::string SubmenuCategory(std::string_view folder) {
    return "X-" + JoinedWords(folder, false);
}

std::string DirectoryEntryText(std::string_view folder) {
    return "[Desktop Entry]\n"
           "Type=Directory\n"
           "Version=1.0\n"
           "Name=" +
           EscapeDesktopValue(folder) + "\nIcon=" + std::string(kProgramIconName) + "\n";
}

std::string MergedMenuText(std::string_view folder) {
    std::string name;
    for (char c : folder) {
        switch (c) {
        case '&':
            name += "&amp;";
            break;
        case '<':
            name += "&lt;";
            break;
        case '>':
            name += "&gt;";
            break;
        default:
            name.push_back(c);
        }
    }
    return "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
           "<Menu>\n"
           "  <Name>Applications</Name>\n"
           "  <Menu>\n"
           "    <Name>" +
           name +
           "</Name>\n"
           "    <Directory>" +
           DesktopFileId(folder) +
           ".directory</Directory>\n"
           "    <Include>\n"
           "      <Category>" +
           SubmenuCategory(folder) +
           "</Category>\n"
           "    </Include>\n"
           "  </Menu>\n"
           "</Menu>\n";
}

std::string DesktopEntryText(std::string_view name, std::string_view target,
                             std::string_view description, std::string_view workingFolder,
                             std::string_view submenu) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n";
    text += "Name=" + EscapeDesktopValue(name) + "\n";
    if (!description.empty())
        text += "Comment=" + EscapeDesktopValue(description) + "\n";
    text += "Exec=" + EscapeDesktopValue(QuoteExecArgument(target)) + "\n";
    if (!workingFolder.empty())
        text += "Path=" + EscapeDesktopValue(workingFolder) + "\n";
    text += "Icon=" + std::string(kProgramIconName) + "\n";
    text += "Terminal=false\n"
            "Categories=Settings;HardwareSettings;Printing;";
    if (!submenu.empty())
        text += SubmenuCategory(submenu) + ";";
    text += "\nKeywords=printer;help;status;supplies;\n";
    return text;
}

} // namespace kaldo
