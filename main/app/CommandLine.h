#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kaldo {

// The printer name handed to a running instance: zero-filled, at most 99 bytes of UTF-8.
using ForwardedName = std::array<char, 100>;

struct CommandLine {
    // "/t" and a quoted name: answer whether the printer has content, then end.
    bool QueryMode = false;
    std::string QueryPrinter;
    // What a second instance sends to the first.
    ForwardedName Forwarded{};
    // The printer this instance starts with; empty when none was given.
    std::string PrinterName;
};

// The command line as drivers write it on Windows, rebuilt from the arguments: none gives
// an empty line; one that already has the form `/t"NAME"` or `"NAME"` is kept; `/t NAME` gives
// `/t"NAME"`; anything else is the name, quoted (several arguments are joined by spaces).
std::string CommandLineFromArguments(int argc, const char* const* argv);

// Reads the rebuilt command line: query mode, forwarded name and this instance's printer.
CommandLine ParseCommandLine(std::string_view line);

} // namespace kaldo
