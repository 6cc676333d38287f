#include "setupsupport/DesktopEntry.h"

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

std::string DesktopEntryText(std::string_view name, std::string_view target,
                             std::string_view description, std::string_view workingFolder) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n";
    text += "Name=" + EscapeDesktopValue(name) + "\n";
    if (!description.empty())
        text += "Comment=" + EscapeDesktopValue(description) + "\n";
    text += "Exec=" + EscapeDesktopValue(QuoteExecArgument(target)) + "\n";
    if (!workingFolder.empty())
        text += "Path=" + EscapeDesktopValue(workingFolder) + "\n";
    text += "Icon=printer\n"
            "Terminal=false\n"
            "Categories=Utility;\n";
    return text;
}

} // namespace kaldo
