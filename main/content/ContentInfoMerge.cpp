#include "main/content/ContentInfoMerge.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/FileHandle.h"
#include "main/pages/ResultCodes.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdio.h>
#include <string_view>
#include <sys/stat.h>

namespace kaldo {

namespace {

// The pieces are copied in chunks of this size; the start markers are looked for in the
// first chunk only, as the content is laid out for it.
constexpr size_t kChunkSize = 255;

using FirstChunkRule = std::string_view (*)(std::string_view chunk);

std::string_view FromMarker(std::string_view chunk, std::string_view marker) {
    const size_t at = chunk.find(marker);
    return at == std::string_view::npos ? chunk : chunk.substr(at);
}

std::string_view ToolboxInfoStart(std::string_view chunk) {
    return FromMarker(chunk, "<Body>");
}

std::string_view TabInfoStart(std::string_view chunk) {
    if (chunk.find("<KTWContentInfo>") != std::string_view::npos &&
        chunk.find("<Legend>") != std::string_view::npos)
        return FromMarker(chunk, "<Legend>");
    // Without a legend the copy starts at the tab structure even under KTWContentInfo:
    // copying the root's start tag would leave it unclosed.
    return FromMarker(chunk, "<TabInfo>");
}

// Copies `in` to `out`, the first chunk trimmed by `firstChunk`, dropping the closing tag
// `closing` and the rest of the chunk it stands in. The last bytes of each chunk are held
// back until the next one is read, so a closing tag across a chunk border is found too.
ResultCode CopyPiece(std::FILE* in, std::FILE* out, FirstChunkRule firstChunk,
                     std::string_view closing) {
    char buffer[kChunkSize];
    std::string pending;
    bool first = true;
    for (;;) {
        const size_t count = std::fread(buffer, 1, sizeof buffer, in);
        if (count == 0)
            break;
        std::string_view chunk(buffer, count);
        if (first)
            chunk = firstChunk(chunk);
        first = false;
        pending.append(chunk);
        const size_t at = pending.find(closing);
        size_t ready = pending.size();
        if (at != std::string::npos)
            ready = at;
        else
            ready -= std::min(pending.size(), closing.size() - 1);
        if (!WriteAll(out, std::string_view(pending).substr(0, ready)))
            return ResultCode::OpenWriteFile;
        pending.erase(0, at != std::string::npos ? std::string::npos : ready);
    }
    if (std::ferror(in))
        return ResultCode::ReadError;
    return WriteAll(out, pending) ? ResultCode::Ok : ResultCode::OpenWriteFile;
}

// Writes the declaration and both pieces to `toolbox`; `toolboxInfo` is open already.
ResultCode MergeInto(FileHandle toolboxInfo, const std::string& tabInfoPath, std::FILE* toolbox,
                     const std::string& declaration) {
    if (!WriteAll(toolbox, declaration))
        return ResultCode::OpenWriteFile;
    ResultCode result = CopyPiece(toolboxInfo.get(), toolbox, ToolboxInfoStart, "</Body>");
    if (result != ResultCode::Ok)
        return result;
    toolboxInfo.reset();

    FileHandle tabInfo(std::fopen(tabInfoPath.c_str(), "rb"));
    if (!tabInfo)
        return ResultCode::ParseInput;
    result = CopyPiece(tabInfo.get(), toolbox, TabInfoStart, "</KTWContentInfo>");
    if (result != ResultCode::Ok)
        return result;
    return WriteAll(toolbox, "</Body>") ? ResultCode::Ok : ResultCode::OpenWriteFile;
}

std::string DeclarationFor(const std::string& languageCode) {
    std::string language = languageCode;
    std::string encoding;
    EncodingForLanguage(language, encoding);
    return "<?xml version=\"1.0\" encoding =\"" + encoding + "\"?>";
}

// Whether `path` is a plain file, not a link, that holds exactly `bytes`.
bool IsFileHolding(const std::string& path, std::string_view bytes) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<size_t>(info.st_size) != bytes.size())
        return false;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    std::string held(bytes.size(), '\0');
    return file && std::fread(held.data(), 1, held.size(), file.get()) == held.size() &&
           held == bytes;
}

struct MemoryFree {
    void operator()(char* bytes) const noexcept { std::free(bytes); }
};

} // namespace

ResultCode MergeContentInfo(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                            const std::string& toolboxPath, const std::string& languageCode) {
    if (toolboxPath.empty())
        return ResultCode::MissingArgument;
    std::string merged;
    const ResultCode result =
        MergeContentInfoText(toolboxInfoPath, tabInfoPath, languageCode, merged);
    // A folder whose merge fails keeps the configuration it had.
    if (result != ResultCode::Ok)
        return result;
    // Every start merges every content folder; one that has not changed keeps its file.
    if (IsFileHolding(toolboxPath, merged))
        return ResultCode::Ok;
    AtomicFile toolbox(toolboxPath);
    return toolbox.Open() && toolbox.Write(merged) && toolbox.Commit() ? ResultCode::Ok
                                                                       : ResultCode::OpenWriteFile;
}

ResultCode MergeContentInfoText(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                                const std::string& languageCode, std::string& merged) {
    if (toolboxInfoPath.empty() || tabInfoPath.empty())
        return ResultCode::MissingArgument;
    FileHandle toolboxInfo(std::fopen(toolboxInfoPath.c_str(), "rb"));
    if (!toolboxInfo)
        return ResultCode::ParseInput;
    char* bytes = nullptr;
    size_t size = 0;
    FileHandle memory(::open_memstream(&bytes, &size));
    std::unique_ptr<char, MemoryFree> owned;
    if (!memory)
        return ResultCode::OpenWriteFile;
    const ResultCode result =
        MergeInto(std::move(toolboxInfo), tabInfoPath, memory.get(), DeclarationFor(languageCode));
    // Closing the stream settles `bytes` and `size`.
    const bool closed = CloseFile(memory);
    owned.reset(bytes);
    if (result != ResultCode::Ok)
        return result;
    if (!closed)
        return ResultCode::OpenWriteFile;
    merged.assign(bytes, size);
    return ResultCode::Ok;
}

} // namespace kaldo
