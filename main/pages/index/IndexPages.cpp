#include "main/pages/index/IndexPages.h"

#include "main/pages/ResultCodes.h"

namespace kaldo {

int BuildIndexPages(const IndexPageFiles& files, const IndexLabels& labels,
                    const std::string& language, const PageTransformer& transformer) {
    if (!WriteIndexDocument(files.userGuideIndex, files.documentsIndex, std::string(),
                            files.firstMerge, language, labels))
        return kIndexMerge;
    if (!WriteIndexDocument(files.firstMerge, files.thirdIndex, files.config, files.combinedIndex,
                            language, labels))
        return kIndexMerge;
    if (const int sorted =
            transformer.Transform(files.combinedIndex, files.sortStylesheet, files.combinedIndex);
        sorted != kOk)
        return sorted;
    if (const int page =
            transformer.Transform(files.combinedIndex, files.pageStylesheet, files.page);
        page != kOk)
        return page;
    return transformer.Transform(files.combinedIndex, files.contentStylesheet, files.contentPage);
}

} // namespace kaldo
