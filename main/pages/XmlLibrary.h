#pragma once

namespace kaldo {

// The global set-up and clean-up of libxml2 and libxslt. Their clean-up functions free state
// that every parser, writer and transformer in the process shares, so no single object may
// call them when it is destroyed. One instance lives at the top of main(): it initialises
// the libraries before any worker thread uses them and cleans up after everything else has
// gone. Programs that never create one simply leave the memory to the operating system.
class XmlLibraryScope final {
public:
    XmlLibraryScope();
    ~XmlLibraryScope();

    XmlLibraryScope(const XmlLibraryScope&) = delete;
    XmlLibraryScope& operator=(const XmlLibraryScope&) = delete;
};

} // namespace kaldo
