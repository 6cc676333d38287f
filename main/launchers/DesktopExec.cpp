#include "main/launchers/DesktopExec.h"

#include "main/launchers/TextLines.h"

#include <optional>

namespace kaldo {

namespace {

std::string UnescapeValue(std::string_view value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            text += value[i];
        }
    }
    return text;
}

// Splits at unquoted blanks; inside double quotes a backslash escapes the next character.
std::optional<std::vector<std::string>> SplitWords(std::string_view exec) {
    std::vector<std::string> words;
    std::optional<std::string> word;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else if (c == '\\' && i + 1 < exec.size())
                *word += exec[++i];
            else
                *word += c;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (word)
                words.push_back(std::move(*word));
            word.reset();
        } else {
            if (!word)
                word.emplace();
            if (c == '"')
                quoted = true;
            else
                *word += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (word)
        words.push_back(std::move(*word));
    return words;
}

} // namespace

std::string DesktopEntryExec(std::string_view fileText) {
    bool inEntry = false;
    for (const std::string_view line : TrimmedLines(fileText)) {
        if (line.starts_with('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || !line.starts_with("Exec"))
            continue;
        const std::string_view rest = TrimBlanks(line.substr(4));
        if (rest.starts_with('='))
            return UnescapeValue(TrimBlanks(rest.substr(1)));
    }
    return {};
}

std::vector<std::string> ExecArguments(std::string_view exec, const std::string& path,
                                       const std::string& url) {
    const std::optional<std::vector<std::string>> words = SplitWords(exec);
    if (!words || words->empty())
        return {};
    std::vector<std::string> arguments;
    bool fileGiven = false;
    for (const std::string& word : *words) {
        std::string argument;
        bool dropped = false;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%' || i + 1 == word.size()) {
                argument += word[i];
                continue;
            }
            switch (const char code = word[++i]) {
            case '%':
                argument += '%';
                break;
            case 'f':
            case 'F':
            case 'u':
            case 'U':
                argument += (code == 'f' || code == 'F') ? path : url;
                fileGiven = true;
                break;
            default:
                dropped = true;
            }
        }
        if (!(dropped && argument.empty()))
            arguments.push_back(std::move(argument));
    }
    if (!fileGiven)
        arguments.push_back(path);
    return arguments;
}

} // namespace kaldo
