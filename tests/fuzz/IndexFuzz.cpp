// The content's three index documents merged with the configuration and built into the index
// pages. Input: the user-guide index, the documents index and the third index, separated by
// kPartSeparator.
#include "main/pages/PageTransformer.h"
#include "main/pages/index/IndexPages.h"
#include "tests/fuzz/SampleContent.h"

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::SampleContent& content = fuzz::Sample();
    static const IndexPageFiles files = [&content] {
        const FileNames names = content.Config().Files();
        return IndexPageFiles{
            content.Xml(names.File_IndexUG),        content.Xml(names.File_IndexNonUG),
            content.Xml(names.File_IndexAUG),       content.Xml(names.File_IndexCombined1),
            content.Xml(names.File_IndexCombined2), content.Xml(names.File_IndexSort_XSL),
            content.Xml(names.File_Index_XSL),      content.Xml(names.File_IndexContent_XSL),
            content.Ui(names.File_Index),           content.Ui(names.File_IndexContent),
            content.Config().ConfigPath()};
    }();
    static const PageTransformer transformer;
    static const IndexLabels labels{"Index", "0 - 9"};

    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 3);
    fuzz::WriteBytes(files.UserGuideIndex, parts[0]);
    fuzz::WriteBytes(files.DocumentsIndex, parts[1]);
    fuzz::WriteBytes(files.ThirdIndex, parts[2]);
    BuildIndexPages(files, labels, content.Config().Language_L10N(), transformer);
    return 0;
}
