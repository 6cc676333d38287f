#include "bench/BenchFolder.h"
#include "bench/SampleModel.h"
#include "main/pageinputs/PageInputs.h"
#include "main/search/KeywordSearch.h"
#include "main/search/SearchPage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace kaldo::bench {
namespace {

constexpr int kEntries = 10000;     // top-level entries, each with two titled sub-entries
constexpr int kSynonymGroups = 200; // of five items each
constexpr int kVocabulary = 1000;

const SearchLabels kLabels{"Search Results for: ", "Search Again", "No Results Found"};

// A user's searches come seconds apart, and by then the held index (about 32 MB of tree for
// kEntries entries) has left the processor's caches. Searches back to back keep it there, so
// they measure a search no user gets; the "AfterPause" benchmarks wait before each search,
// untimed, as a user does.
enum class Searches { BackToBack, AfterPause };

void WaitAsBetweenSearches(benchmark::State& state, Searches searches) {
    if (searches == Searches::BackToBack)
        return;
    state.PauseTiming();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    state.ResumeTiming();
}

std::vector<std::string> Vocabulary() {
    std::vector<std::string> words = {
        "paper", "jam",   "toner",  "tray",     "duplex",   "wireless", "network", "driver",
        "print", "color", "fuser",  "drum",     "scanner",  "envelope", "label",   "cover",
        "error", "clean", "status", "security", "firmware", "quality",  "streaks", "faded"};
    for (int i = static_cast<int>(words.size()); i < kVocabulary; ++i)
        words.push_back("term" + std::to_string(i));
    return words;
}

std::string Title(const std::vector<std::string>& words, std::mt19937& random) {
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::uniform_int_distribution<int> length(1, 4);
    std::string title;
    for (int n = length(random); n > 0; --n) {
        if (!title.empty())
            title += ' ';
        title += words[pick(random)];
    }
    return title;
}

// A combined index as the index build leaves it: entries, then legend and tabs.
std::string GeneratedIndex(const std::vector<std::string>& words) {
    std::mt19937 random(20240611);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root><WebWorksHelpIX "
                      "version=\"1.0\" heading=\"Index\" numerics=\"0 - 9\" codepage=\"UTF-8\">";
    for (int i = 0; i < kEntries; ++i) {
        xml += "<Entry t=\"" + Title(words, random) + "\"><Link l=\"doc:&amp;FileName=guide" +
               std::to_string(i) + "\" icon=\"pdf\"/>";
        for (int sub = 0; sub < 2; ++sub)
            xml += "<Entry t=\"" + Title(words, random) + "\"><Link l=\"tab#2page#" +
                   std::to_string(sub + 1) + "\" icon=\"page\"/></Entry>";
        xml += "</Entry>";
    }
    xml += "</WebWorksHelpIX><Legend><Legend_Title_L10N>Legend</Legend_Title_L10N>"
           "<Legend_Item><Icon>pdf</Icon><Text_L10N>Document</Text_L10N></Legend_Item></Legend>"
           "<TabInfo><Default>0</Default></TabInfo></root>\n";
    return xml;
}

std::string GeneratedSynonyms(const std::vector<std::string>& words) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Synonyms>";
    for (int group = 0; group < kSynonymGroups; ++group) {
        xml += "<Group>";
        for (int item = 0; item < 5; ++item)
            xml += "<Item>" + words[(group * 5 + item) % words.size()] + "</Item>";
        xml += "</Group>";
    }
    return xml + "</Synonyms>\n";
}

class SearchFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override {
        const std::vector<std::string> words = Vocabulary();
        WriteText(m_folder.Path("index.xml"), GeneratedIndex(words));
        WriteText(m_folder.Path("synonyms.xml"), GeneratedSynonyms(words));
    }

protected:
    ResultCode Search(KeywordSearch& engine, const char* keywords) {
        return engine.Search(m_folder.Path("index.xml"), m_folder.Path("synonyms.xml"), keywords,
                             m_folder.Path("results.xml"), kLabels);
    }

    // The usual case: the index stays parsed between searches.
    void RunSearches(benchmark::State& state, Searches searches) {
        KeywordSearch engine("EN");
        if (Search(engine, "paper jam toner") != ResultCode::Ok)
            state.SkipWithError("search failed");
        for (auto _ : state) {
            WaitAsBetweenSearches(state, searches);
            benchmark::DoNotOptimize(Search(engine, "paper jam toner"));
        }
    }

    BenchFolder m_folder;
};

BENCHMARK_DEFINE_F(SearchFixture, SearchHeldIndex)(benchmark::State& state) {
    RunSearches(state, Searches::BackToBack);
}
BENCHMARK_REGISTER_F(SearchFixture, SearchHeldIndex)->Unit(benchmark::kMillisecond);

BENCHMARK_DEFINE_F(SearchFixture, SearchAfterPause)(benchmark::State& state) {
    RunSearches(state, Searches::AfterPause);
}
BENCHMARK_REGISTER_F(SearchFixture, SearchAfterPause)->Unit(benchmark::kMillisecond);

// The first search of a run, which parses the index and the synonyms as well.
BENCHMARK_DEFINE_F(SearchFixture, FirstSearch)(benchmark::State& state) {
    for (auto _ : state) {
        KeywordSearch engine("EN");
        benchmark::DoNotOptimize(Search(engine, "paper jam toner"));
    }
}
BENCHMARK_REGISTER_F(SearchFixture, FirstSearch)->Unit(benchmark::kMillisecond);

// A search as the user sees it: the results document and the three pages written with the
// sample content's stylesheets, over an index of kEntries entries that stays parsed. With
// Stylesheets::Unheld every search compiles the stylesheets and reads the results once for each
// page, as a transformer that holds nothing would: the baseline of held stylesheets.
enum class Stylesheets { Held, Unheld };

void SearchPages(benchmark::State& state, Stylesheets stylesheets, Searches searches) {
    const StagedSampleModel model(state);
    if (!model.Ready(state))
        return;
    const ToolboxConfig& config = model.Config;
    const ModelFolders& folders = model.Folders;
    const SearchPageFiles files = SearchPageFilesFor(folders, config);
    const std::vector<std::string> words = Vocabulary();
    WriteText(files.Index, GeneratedIndex(words));
    WriteText(files.Synonyms, GeneratedSynonyms(words));
    const PageTransformer heldTransformer;
    const SearchLabels labels = ProgramSearchLabels();
    const std::string prompt = SearchPrompt();
    std::unique_ptr<KeywordSearch> engine;
    auto search = [&] {
        if (stylesheets == Stylesheets::Unheld) {
            if (!engine)
                engine = std::make_unique<KeywordSearch>("EN");
            const PageTransformer fresh;
            return engine->Search(files.Index, files.Synonyms, "paper jam toner", files.Results,
                                  labels) == ResultCode::Ok &&
                   fresh.Transform(files.Results, files.SortStylesheet, files.Results) ==
                       ResultCode::Ok &&
                   fresh.Transform(files.Results, files.PageStylesheet, files.Page) ==
                       ResultCode::Ok &&
                   fresh.Transform(files.Results, files.ContentStylesheet, files.ContentPage) ==
                       ResultCode::Ok;
        }
        const SearchPageResult result = BuildSearchPages(engine, "EN", "paper jam toner", prompt,
                                                         labels, files, heldTransformer);
        return result.Search == ResultCode::Ok && result.Sorted == ResultCode::Ok &&
               result.Page == ResultCode::Ok && result.Content == ResultCode::Ok;
    };
    if (!search()) {
        state.SkipWithError("search pages failed");
        return;
    }
    for (auto _ : state) {
        WaitAsBetweenSearches(state, searches);
        benchmark::DoNotOptimize(search());
    }
}

void SearchPagesHeldIndex(benchmark::State& state) {
    SearchPages(state, Stylesheets::Held, Searches::BackToBack);
}
BENCHMARK(SearchPagesHeldIndex)->Unit(benchmark::kMillisecond);

void SearchPagesAfterPause(benchmark::State& state) {
    SearchPages(state, Stylesheets::Held, Searches::AfterPause);
}
BENCHMARK(SearchPagesAfterPause)->Unit(benchmark::kMillisecond);

void SearchPagesUnheldStylesheets(benchmark::State& state) {
    SearchPages(state, Stylesheets::Unheld, Searches::BackToBack);
}
BENCHMARK(SearchPagesUnheldStylesheets)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kaldo::bench
