#pragma once

#include "main/pages/XmlHandles.h"
#include "platform/AtomicFile.h"

#include <memory>
#include <string>

namespace kaldo {

// A generated document written into memory. The writer emits no declaration; the declaration
// `<?xml version="1.0" encoding ="..."?>` goes at the head of the buffer when the document is
// finished, either to a file or to be parsed back for a second stage.
class MemoryDocument final {
public:
    // kBufferCreate or kWriterCreate on failure.
    int Start();
    xmlTextWriterPtr Writer() const { return m_writer.get(); }

    // Ends the document and writes it, declaration first, to `path`, replacing the old file only
    // once the new one is complete. kWriterEndDocument, kBufferCreate, or kParseInput when the
    // file cannot be created or written.
    int WriteToFile(const std::string& encoding, const std::string& path);
    // Ends the document and parses it back. kWriterEndDocument, kBufferCreate or kParseInput.
    int Parse(const std::string& encoding, XmlDocHandle& document);

private:
    int Finish(const std::string& encoding);

    XmlBufferHandle m_buffer;
    XmlTextWriterHandle m_writer;
};

// A generated document written straight to its file; the writer declares the encoding and
// encodes its output in it. The file takes the place of the old one only when Finish succeeds;
// a document abandoned or failing half-way leaves the old one as it was.
class FileDocument final {
public:
    // kWriterCreate when the file cannot be created or the document not started.
    int Start(const std::string& path, const std::string& encoding);
    xmlTextWriterPtr Writer() const { return m_writer.get(); }

    // Ends the document and puts the file in place; kWriterEndDocument when either fails.
    int Finish();

private:
    std::unique_ptr<AtomicFile> m_file; // outlives the writer, which writes into it
    XmlTextWriterHandle m_writer;
};

// The writing steps shared by every document builder, each returning its result code, and
// the lookup of single values in XML files. Holds no state between operations.
class DocumentWriter final {
public:
    static int StartElement(xmlTextWriterPtr writer, const char* name); // 602
    static int WriteElement(xmlTextWriterPtr writer, const char* name,
                            const std::string& text);                              // 603
    static int WriteElement(xmlTextWriterPtr writer, const char* name, int value); // 603
    static int WriteAttribute(xmlTextWriterPtr writer, const char* name,
                              const std::string& value); // 603
    static int EndElement(xmlTextWriterPtr writer);      // 604

    // The string value of `expression` in `file` (the first node in document order, empty when
    // nothing matches). kMissingArgument, kParseInput, kXPathContext, kXPathEval, kXPathCast;
    // kXPathNoNodeSet, leaving `value` untouched, when the result is no node set.
    static int EvaluateXPath(const std::string& file, const std::string& expression,
                             std::string& value);
};

} // namespace kaldo
