#pragma once

#include "main/pages/ResultCodes.h"
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
    // ResultCode::BufferCreate or ResultCode::WriterCreate on failure.
    ResultCode Start();
    xmlTextWriterPtr Writer() const { return m_writer.get(); }

    // Ends the document and writes it, declaration first, to `path`, replacing the old file only
    // once the new one is complete. ResultCode::WriterEndDocument, ResultCode::BufferCreate, or
    // ResultCode::ParseInput when the file cannot be created or written.
    ResultCode WriteToFile(const std::string& encoding, const std::string& path);
    // Ends the document and parses it back. ResultCode::WriterEndDocument, ResultCode::BufferCreate
    // or ResultCode::ParseInput.
    ResultCode Parse(const std::string& encoding, XmlDocHandle& document);

private:
    ResultCode Finish(const std::string& encoding);

    XmlBufferHandle m_buffer;
    XmlTextWriterHandle m_writer;
};

// A generated document written straight to its file; the writer declares the encoding and
// encodes its output in it. The file takes the place of the old one only when Finish succeeds;
// a document abandoned or failing half-way leaves the old one as it was.
class FileDocument final {
public:
    // ResultCode::WriterCreate when the file cannot be created or the document not started.
    ResultCode Start(const std::string& path, const std::string& encoding);
    xmlTextWriterPtr Writer() const { return m_writer.get(); }

    // Ends the document and puts the file in place; ResultCode::WriterEndDocument when either
    // fails.
    ResultCode Finish();

private:
    std::unique_ptr<AtomicFile> m_file; // outlives the writer, which writes into it
    XmlTextWriterHandle m_writer;
};

// The writing steps shared by every document builder, each returning its result code, and
// the lookup of single values in XML files. Holds no state between operations.
class DocumentWriter final {
public:
    static ResultCode StartElement(xmlTextWriterPtr writer, const char* name); // 602
    static ResultCode WriteElement(xmlTextWriterPtr writer, const char* name,
                                   const std::string& text);                              // 603
    static ResultCode WriteElement(xmlTextWriterPtr writer, const char* name, int value); // 603
    static ResultCode WriteAttribute(xmlTextWriterPtr writer, const char* name,
                                     const std::string& value); // 603
    static ResultCode EndElement(xmlTextWriterPtr writer);      // 604

    // The string value of `expression` in `file` (the first node in document order, empty when
    // nothing matches). ResultCode::MissingArgument, ResultCode::ParseInput,
    // ResultCode::XPathContext, ResultCode::XPathEval, ResultCode::XPathCast;
    // ResultCode::XPathNoNodeSet, leaving `value` untouched, when the result is no node set.
    static ResultCode EvaluateXPath(const std::string& file, const std::string& expression,
                                    std::string& value);
};

} // namespace kaldo
