#include "setup/ModelName.h"

#include "platform/Paths.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> FirstFolder(const fs::path& folder) {
    const std::optional<std::vector<std::string>> names = ListFolders(folder.string());
    if (!names || names->empty())
        return std::nullopt;
    return names->front();
}

} // namespace

std::string ModelName(const std::string& installerFolder) {
    const std::optional<std::string> data = FirstFolder(installerFolder);
    if (!data)
        return std::string(kFallbackModelName);
    const std::optional<std::string> model = FirstFolder(fs::path(installerFolder) / *data);
    return model ? *model : std::string(kFallbackModelName);
}

std::string FormatText(std::string_view format, std::string_view value) {
    std::string text;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                text += value;
                value = {};
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                text.push_back('%');
                ++i;
                continue;
            }
        }
        text.push_back(format[i]);
    }
    return text;
}

} // namespace kaldo
