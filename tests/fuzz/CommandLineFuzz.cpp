// The command line a driver or a user starts the program with: the arguments (separated by
// zero bytes in the input) rebuilt into the Windows form and read back, and the input read as
// such a line itself.
#include "main/app/CommandLine.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    ParseCommandLine(input);

    std::vector<std::string> arguments{"ktendwell"};
    size_t start = 0;
    while (start <= input.size()) {
        const size_t end = std::min(input.find('\0', start), input.size());
        arguments.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const std::string line = CommandLineFromArguments(int(arguments.size()), argv.data());
    ParseCommandLine(line);
    return 0;
}
