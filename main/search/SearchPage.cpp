#include "main/search/SearchPage.h"

#include "main/pages/DocumentUtils.h"

namespace kaldo {

SearchPageResult BuildSearchPages(std::unique_ptr<KeywordSearch>& engine,
                                  const std::string& language, const std::string& keywords,
                                  const std::string& prompt, const SearchLabels& labels,
                                  const SearchPageFiles& files,
                                  const PageTransformer& transformer) {
    if (!engine)
        engine = std::make_unique<KeywordSearch>(language);
    SearchPageResult result;
    result.Prompt = keywords == prompt;
    if (files.Results.empty()) {
        result.Search = result.Sorted = result.Page = result.Content = ResultCode::MissingArgument;
        result.Show = files.SearchTabPage;
        return result;
    }
    // A search hands its results over as a tree; the sorted tree is what the results file then
    // holds. Without a new tree (the empty page, or a failed search) the pages show the file as
    // it is, read once.
    XmlDocHandle unsorted;
    if (result.Prompt) {
        result.Search = engine->WriteEmpty(files.Index, files.Results, labels);
    } else {
        result.Search = engine->SearchTree(files.Index, files.Synonyms, keywords, labels, unsorted);
    }
    const bool searched = unsorted != nullptr;
    if (!searched)
        unsorted = ReadXmlFile(files.Results);
    const TreePage sorted =
        transformer.TransformTree(unsorted.get(), files.SortStylesheet, files.Results, true);
    result.Sorted = sorted.Code;
    if (searched && !sorted.Result)
        result.Search = engine->SaveResults(unsorted.get(), files.Results);
    // Both pages come from the sorted tree, or from the unsorted one when sorting failed, which
    // is what the results file then holds.
    const xmlDoc* shown = sorted.Result ? sorted.Result.get() : unsorted.get();
    result.Page = transformer.TransformTree(shown, files.PageStylesheet, files.Page, false).Code;
    result.Content =
        transformer.TransformTree(shown, files.ContentStylesheet, files.ContentPage, false).Code;
    result.Show = files.SearchTabPage;
    return result;
}

} // namespace kaldo
