#include "main/pages/DocumentWriter.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/ResultCodes.h"
#include "platform/AtomicFile.h"

#include <string_view>
#include <utility>

namespace kaldo {

ResultCode MemoryDocument::Start() {
    m_writer.reset();
    m_buffer.reset(xmlBufferCreate());
    if (!m_buffer) {
        return ResultCode::BufferCreate;
    }
    m_writer.reset(xmlNewTextWriterMemory(m_buffer.get(), 0));
    if (!m_writer) {
        m_buffer.reset();
        return ResultCode::WriterCreate;
    }
    return ResultCode::Ok;
}

ResultCode MemoryDocument::Finish(const std::string& encoding) {
    if (!m_writer || xmlTextWriterEndDocument(m_writer.get()) < 0) {
        return ResultCode::WriterEndDocument;
    }
    m_writer.reset();
    const std::string declaration = "<?xml version=\"1.0\" encoding =\"" + encoding + "\"?>";
    if (xmlBufferAddHead(m_buffer.get(), XmlText(declaration),
                         static_cast<int>(declaration.size())) != 0) {
        return ResultCode::BufferCreate;
    }
    return ResultCode::Ok;
}

ResultCode MemoryDocument::WriteToFile(const std::string& encoding, const std::string& path) {
    const ResultCode finished = Finish(encoding);
    const XmlBufferHandle buffer = std::move(m_buffer);
    if (finished != ResultCode::Ok) {
        return finished;
    }
    const std::string_view content(CharText(xmlBufferContent(buffer.get())),
                                   static_cast<std::size_t>(xmlBufferLength(buffer.get())));
    return WriteFileAtomically(path, content) ? ResultCode::Ok : ResultCode::ParseInput;
}

ResultCode MemoryDocument::Parse(const std::string& encoding, XmlDocHandle& document) {
    const ResultCode finished = Finish(encoding);
    const XmlBufferHandle buffer = std::move(m_buffer);
    if (finished != ResultCode::Ok) {
        return finished;
    }
    document.reset(xmlReadDoc(xmlBufferContent(buffer.get()), nullptr,
                              encoding.empty() ? nullptr : encoding.c_str(), kSafeParseOptions));
    return document ? ResultCode::Ok : ResultCode::ParseInput;
}

ResultCode FileDocument::Start(const std::string& path, const std::string& encoding) {
    m_writer.reset();
    m_file = std::make_unique<AtomicFile>(path);
    if (!m_file->Open()) {
        return ResultCode::WriterCreate;
    }
    // The writer takes the output buffer; the file itself stays ours to close.
    xmlOutputBufferPtr output = xmlOutputBufferCreateFile(m_file->Stream(), nullptr);
    if (output == nullptr) {
        return ResultCode::WriterCreate;
    }
    m_writer.reset(xmlNewTextWriter(output));
    if (!m_writer) {
        xmlOutputBufferClose(output);
        return ResultCode::WriterCreate;
    }
    if (xmlTextWriterStartDocument(m_writer.get(), nullptr,
                                   encoding.empty() ? nullptr : encoding.c_str(), nullptr) < 0) {
        return ResultCode::WriterCreate;
    }
    return ResultCode::Ok;
}

ResultCode FileDocument::Finish() {
    const bool ended = m_writer && xmlTextWriterEndDocument(m_writer.get()) >= 0;
    m_writer.reset();
    const bool committed = m_file && ended && m_file->Commit();
    m_file.reset();
    return committed ? ResultCode::Ok : ResultCode::WriterEndDocument;
}

ResultCode DocumentWriter::StartElement(xmlTextWriterPtr writer, const char* name) {
    return xmlTextWriterStartElement(writer, XmlText(name)) < 0 ? ResultCode::WriterStartElement
                                                                : ResultCode::Ok;
}

ResultCode DocumentWriter::WriteElement(xmlTextWriterPtr writer, const char* name,
                                        const std::string& text) {
    return xmlTextWriterWriteFormatElement(writer, XmlText(name), "%s", text.c_str()) < 0
               ? ResultCode::WriterWriteElement
               : ResultCode::Ok;
}

ResultCode DocumentWriter::WriteElement(xmlTextWriterPtr writer, const char* name, int value) {
    return xmlTextWriterWriteFormatElement(writer, XmlText(name), "%d", value) < 0
               ? ResultCode::WriterWriteElement
               : ResultCode::Ok;
}

ResultCode DocumentWriter::WriteAttribute(xmlTextWriterPtr writer, const char* name,
                                          const std::string& value) {
    return xmlTextWriterWriteAttribute(writer, XmlText(name), XmlText(value)) < 0
               ? ResultCode::WriterWriteElement
               : ResultCode::Ok;
}

ResultCode DocumentWriter::EndElement(xmlTextWriterPtr writer) {
    return xmlTextWriterEndElement(writer) < 0 ? ResultCode::WriterEndElement : ResultCode::Ok;
}

ResultCode DocumentWriter::EvaluateXPath(const std::string& file, const std::string& expression,
                                         std::string& value) {
    if (file.empty() || expression.empty()) {
        return ResultCode::MissingArgument;
    }
    const XmlDocHandle document = ReadXmlFile(file);
    if (!document) {
        return ResultCode::ParseInput;
    }
    const XPathContextHandle context(xmlXPathNewContext(document.get()));
    if (!context) {
        return ResultCode::XPathContext;
    }
    const XPathObjectHandle result(xmlXPathEvalExpression(XmlText(expression), context.get()));
    if (!result) {
        return ResultCode::XPathEval;
    }
    if (result->type != XPATH_NODESET) {
        return ResultCode::XPathNoNodeSet;
    }
    const XmlStringHandle text(xmlXPathCastToString(result.get()));
    if (!text) {
        return ResultCode::XPathCast;
    }
    value = CharText(text.get());
    return ResultCode::Ok;
}

} // namespace kaldo
