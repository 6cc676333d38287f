#include "main/status/StatusDocumentCheck.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusInfo.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kIconExtensions[] = {"png", "gif", "jpg", "jpeg", "bmp", "ico", "webp"};

constexpr char kIconExpression[] = "/devicexml/deviceStatus/printer/icon";

xmlNodePtr FirstChildElement(xmlNodePtr parent, std::string_view name) {
    for (xmlNodePtr child = parent ? parent->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && name == CharText(child->name))
            return child;
    }
    return nullptr;
}

bool IsHardDriveOption(xmlNodePtr option) {
    bool hasType = false;
    bool hasInstalled = false;
    std::string type;
    for (xmlNodePtr child = option->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        const std::string_view name = CharText(child->name);
        if (name == "type") {
            type = TakeXmlString(xmlNodeGetContent(child));
            hasType = true;
        } else if (name == "installed") {
            hasInstalled = true;
        }
    }
    return hasType && hasInstalled && !type.empty() && ContainsIgnoringCase("Hard Drive", type);
}

} // namespace

bool IsStatusDocumentSizeAccepted(const std::string& path) {
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error))
        return false;
    const std::uintmax_t size = fs::file_size(path, error);
    return !error && size <= kMaxStatusDocumentBytes;
}

XmlDocHandle ReadStatusDocument(const std::string& path) {
    return IsStatusDocumentSizeAccepted(path) ? ReadXmlFile(path) : nullptr;
}

bool CheckStatusDocument(const std::string& path) {
    if (!IsStatusDocumentSizeAccepted(path))
        return false;
    // libxml2 does not know these names that Korean printers declare.
    if (FileContains(path, "korean"))
        ReplaceInFile(path, "korean", "EUC-KR");
    else if (FileContains(path, "ksc5601"))
        ReplaceInFile(path, "ksc5601", "EUC-KR");

    const XmlDocHandle document = ReadStatusDocument(path);
    xmlNodePtr root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    xmlNodePtr configuration = FirstChildElement(root, "deviceConfiguration");
    xmlNodePtr printer = FirstChildElement(configuration, "printer");
    xmlNodePtr options = FirstChildElement(printer, "installableOptions");
    if (options == nullptr)
        return false;
    for (xmlNodePtr child = options->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE &&
            std::string_view(CharText(child->name)) == "option" && IsHardDriveOption(child))
            return true;
    }
    return false;
}

bool IsSafeIconPath(std::string_view iconPath) {
    if (iconPath.empty())
        return false;
    for (const char c : iconPath) {
        if (c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    }
    // A picture and nothing else: no page, script or desktop entry lands among the content's
    // files. Pictures that can carry script (SVG) are no status icons either.
    const size_t dot = iconPath.rfind('.');
    const size_t lastSlash = iconPath.rfind('/');
    if (dot == std::string_view::npos || (lastSlash != std::string_view::npos && dot < lastSlash))
        return false;
    const std::string_view extension = iconPath.substr(dot + 1);
    if (std::none_of(std::begin(kIconExtensions), std::end(kIconExtensions),
                     [&](std::string_view known) { return EqualsIgnoringCase(extension, known); }))
        return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = iconPath.find('/', start);
        const std::string_view component =
            iconPath.substr(start, slash == std::string_view::npos ? slash : slash - start);
        if (component.empty() || component.front() == '.')
            return false;
        if (slash == std::string_view::npos)
            return true;
        start = slash + 1;
    }
}

bool FindStatusIcon(const std::string& statusDocumentPath, const std::string& imagesFolder,
                    std::string& iconUrl, std::string& localPath) {
    iconUrl.clear();
    localPath.clear();
    std::string value;
    if (!IsStatusDocumentSizeAccepted(statusDocumentPath) ||
        DocumentWriter::EvaluateXPath(statusDocumentPath, kIconExpression, value) != ResultCode::Ok)
        return false;
    const std::string relative = value.empty() ? std::string() : value.substr(1);
    if (imagesFolder.empty() || !IsSafeIconPath(relative))
        return false;
    iconUrl = relative;
    localPath = JoinPath(imagesFolder, relative);
    std::error_code error;
    return !fs::exists(fs::symlink_status(localPath, error));
}

bool IsQueueStatusDocument(const std::string& path) {
    const XmlDocHandle document = ReadStatusDocument(path);
    xmlNodePtr root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    return root && std::string_view(CharText(root->name)) == kQueueStatusRoot;
}

StatusValue StatusFromReport(bool written, const std::string& statusDocumentPath) {
    const bool usable = written && (CheckStatusDocument(statusDocumentPath) ||
                                    IsQueueStatusDocument(statusDocumentPath));
    return usable ? StatusValue::STATUS_AVAILABLE : StatusValue::STATUS_UNAVAILABLE;
}

} // namespace kaldo
