#include "main/pages/index/IndexPages.h"

#include "main/pages/ResultCodes.h"

namespace kaldo {

ResultCode BuildIndexPages(const IndexPageFiles& files, const IndexLabels& labels,
                           const std::string& language, const PageTransformer& transformer) {
    if (!WriteIndexDocument(files.UserGuideIndex, files.DocumentsIndex, std::string(),
                            files.FirstMerge, language, labels))
        return ResultCode::IndexMerge;
    if (!WriteIndexDocument(files.FirstMerge, files.ThirdIndex, files.Config, files.CombinedIndex,
                            language, labels))
        return ResultCode::IndexMerge;
    if (const ResultCode sorted =
            transformer.Transform(files.CombinedIndex, files.SortStylesheet, files.CombinedIndex);
        sorted != ResultCode::Ok)
        return sorted;
    if (const ResultCode page =
            transformer.Transform(files.CombinedIndex, files.PageStylesheet, files.Page);
        page != ResultCode::Ok)
        return page;
    return transformer.Transform(files.CombinedIndex, files.ContentStylesheet, files.ContentPage);
}

} // namespace kaldo
