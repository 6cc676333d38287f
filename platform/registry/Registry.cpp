#include "platform/registry/Registry.h"

#include "platform/NameCompare.h"

namespace kaldo {

std::vector<std::string> SplitKeyPath(std::string_view key) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos)
            end = key.size();
        if (end > start)
            parts.emplace_back(key.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool RegistryNamesEqual(std::string_view a, std::string_view b) {
    return SameNameIgnoringCase(a, b);
}

bool KeyIsWithin(std::string_view key, std::string_view subtree) {
    const std::vector<std::string> keyParts = SplitKeyPath(key);
    const std::vector<std::string> treeParts = SplitKeyPath(subtree);
    if (keyParts.size() < treeParts.size())
        return false;
    for (size_t i = 0; i < treeParts.size(); ++i) {
        if (!RegistryNamesEqual(keyParts[i], treeParts[i]))
            return false;
    }
    return true;
}

} // namespace kaldo
