#pragma once

#include "TestPaths.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace kaldo::testsupport {

namespace fs = std::filesystem;

inline std::string ToolData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/contenttool/" + name;
}

// Replaces the first `find` in the file by `replace`; the test fails when there is none.
inline void EditFile(const std::string& path, const std::string& find, const std::string& replace) {
    std::string text = ReadBytes(path);
    const size_t at = text.find(find);
    ASSERT_NE(at, std::string::npos) << find << " not in " << path;
    text.replace(at, find.size(), replace);
    WriteBytes(path, text);
}

// Every file below `folder` with its bytes, to show that a folder was left as it was.
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path().string());
    }
    return files;
}

// Copies of the sample content folders in a folder of the test's own.
class SampleContent {
public:
    // A copy of content/<name> as <as>; returns its path.
    std::string Copy(const std::string& name, const std::string& as = {}) {
        const std::string target = m_root / (as.empty() ? name : as);
        fs::copy(std::string(KALDO_CONTENT_DIR) + "/" + name, target, fs::copy_options::recursive);
        return target;
    }
    const kaldo::testsupport::TempFolder& Root() const { return m_root; }

private:
    kaldo::testsupport::TempFolder m_root;
};

} // namespace kaldo::testsupport
