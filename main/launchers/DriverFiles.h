#pragma once

#include <string>
#include <vector>

namespace kaldo {

// One file of a printer's driver.
struct DriverFile {
    std::string Path;
    // A program the driver offers the user to start (rather than a description or a filter
    // that only the spooler runs).
    bool UserProgram = false;

    bool operator==(const DriverFile&) const = default;
};

// Where the printer drivers keep their files, and which files a printer's driver has.
class DriverFiles {
public:
    virtual ~DriverFiles() = default;

    // The machine's driver folder; driver utility paths of the content are joined to it.
    virtual std::string DriverDirectory() = 0;

    // The files of `printerName`'s driver in the driver's own order; empty when the printer
    // or its driver cannot be read.
    virtual std::vector<DriverFile> DependentFiles(const std::string& printerName) = 0;
};

} // namespace kaldo
