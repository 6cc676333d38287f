// tendwellcontent: checks and previews content folders without the program's window.
#include "contenttool/CommandLine.h"
#include "main/pages/XmlLibrary.h"

#include <iostream>

int main(int argc, char** argv) {
    const kaldo::XmlLibraryScope xmlLibrary;
    return kaldo::RunContentTool(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                 std::cerr);
}
