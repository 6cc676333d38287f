#include "main/app/CommandLine.h"

#include <algorithm>
#include <cstring>

namespace kaldo {

namespace {

constexpr std::string_view kQueryPrefix = "/t\"";

bool IsQuoted(std::string_view text) {
    return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

bool IsQuery(std::string_view text) {
    return text.starts_with(kQueryPrefix) && text.back() == '"';
}

// The longest prefix of at most `limit` bytes that does not end inside a UTF-8 character.
size_t Utf8Prefix(std::string_view text, size_t limit) {
    if (text.size() <= limit)
        return text.size();
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end;
}

} // namespace

std::string CommandLineFromArguments(int argc, const char* const* argv) {
    if (argc <= 1)
        return {};
    if (std::string_view(argv[1]) == "/t") {
        std::string name;
        for (int i = 2; i < argc; ++i)
            name += (i > 2 ? " " : "") + std::string(argv[i]);
        return "/t\"" + name + "\"";
    }
    if (argc == 2 && (IsQuery(argv[1]) || IsQuoted(argv[1])))
        return argv[1];
    std::string name;
    for (int i = 1; i < argc; ++i)
        name += (i > 1 ? " " : "") + std::string(argv[i]);
    return "\"" + name + "\"";
}

CommandLine ParseCommandLine(std::string_view line) {
    CommandLine parsed;
    if (IsQuery(line)) {
        parsed.QueryMode = true;
        if (line.size() > kQueryPrefix.size())
            parsed.QueryPrinter = line.substr(kQueryPrefix.size(), line.size() - 4);
        return parsed;
    }
    if (!line.empty() && line.back() == '"') {
        line.remove_suffix(1);
        const std::string_view name = line.substr(std::min<size_t>(1, line.size()));
        const size_t length = Utf8Prefix(name, parsed.Forwarded.size() - 1);
        std::memcpy(parsed.Forwarded.data(), name.data(), length);
    }
    // `""` names no printer, not one called `"`.
    if (line.size() >= 2)
        parsed.PrinterName = line.substr(1);
    else if (line != "\"")
        parsed.PrinterName = line;
    return parsed;
}

} // namespace kaldo
