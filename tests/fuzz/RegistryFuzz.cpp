// A registry file as another user or an older version may have left it: every key and value
// read, then one value written and one key removed. Input: the file, then optionally a key
// path and a value name, separated by kPartSeparator.
#include "platform/registry/IniRegistry.h"
#include "tests/fuzz/FuzzSupport.h"

#include <filesystem>

using namespace kaldo;

namespace {

constexpr int kMaxKeys = 64;

void ReadTree(const Registry& registry, const std::string& key, int& budget) {
    if (--budget < 0)
        return;
    registry.KeyExists(Hive::CurrentUser, key);
    for (const std::string& name : registry.ValueNames(Hive::CurrentUser, key))
        registry.QueryValue(Hive::CurrentUser, key, name);
    for (const std::string& sub : registry.SubKeys(Hive::CurrentUser, key))
        ReadTree(registry, key.empty() ? sub : key + "\\" + sub, budget);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A new file name every time: QSettings caches files by name, size and time.
    static unsigned long run = 0;
    const std::string file = fuzz::Scratch() / ("registry-" + std::to_string(++run) + ".ini");
    const std::string machine = fuzz::Scratch() / "machine.ini";

    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 3);
    fuzz::WriteBytes(file, parts[0]);
    IniRegistry registry(machine, file);
    int budget = kMaxKeys;
    ReadTree(registry, "", budget);
    const std::string& key = parts[1].empty() ? "SOFTWARE\\Kaldo\\Tendwell" : parts[1];
    const std::string& name = parts[2].empty() ? "LastPrinter" : parts[2];
    registry.QueryValue(Hive::CurrentUser, key, name);
    registry.SetValue(Hive::CurrentUser, key, name, "Office_3020");
    registry.QueryValue(Hive::CurrentUser, key, name);
    registry.DeleteValue(Hive::CurrentUser, key, name);
    registry.DeleteTree(Hive::CurrentUser, key);

    std::error_code error;
    std::filesystem::remove(file, error);
    std::filesystem::remove(file + ".corrupt", error);
    std::filesystem::remove(file + ".writer.lock", error);
    return 0;
}
