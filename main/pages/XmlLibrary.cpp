#include "main/pages/XmlLibrary.h"

#include <libxml/parser.h>
#include <libxslt/xslt.h>

namespace kaldo {

XmlLibraryScope::XmlLibraryScope() {
    xmlInitParser();
    xsltInit();
}

XmlLibraryScope::~XmlLibraryScope() {
    xsltCleanupGlobals();
    xmlCleanupParser();
}

} // namespace kaldo
