#include "main/pages/index/IndexPages.h"

#include "main/pages/ResultCodes.h"

namespace kaldo {

ResultCode BuildIndexPages(const IndexPageFiles& files, const IndexLabels& labels,
                           const std::string& language, const PageTransformer& transformer) {
    if (!WriteIndexDocument(files.userGuideIndex, files.documentsIndex, std::string(),
                            files.firstMerge, language, labels))
        return ResultCode::IndexMerge;
    if (!WriteIndexDocument(files.firstMerge, files.thirdIndex, files.config, files.combinedIndex,
                            language, labels))
        return ResultCode::IndexMerge;
    if (const ResultCode sorted =
            transformer.Transform(files.combinedIndex, files.sortStylesheet, files.combinedIndex);
        sorted != ResultCode::Ok)
        return sorted;
    if (const ResultCode page =
            transformer.Transform(files.combinedIndex, files.pageStylesheet, files.page);
        page != ResultCode::Ok)
        return page;
    return transformer.Transform(files.combinedIndex, files.contentStylesheet, files.contentPage);
}

} // namespace kaldo
