// Reading the Bible on the real default library: building the page of Psalm 119 (176
// verses) with Strong's links and margin links, loading it into the text view and
// painting it, and the Bible view's step to the next chapter, painted. Target: under
// 30 ms each. The view is offscreen and the whole page is laid out by the paint.
//
// The library is found through $KVX_LIBRARY (the library folder) or next to this
// program (<build>/bin, made by "kvx build-library").
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QTextBrowser>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/module_library.h"
#include "app/settings.h"
#include "platform/qt/message_service.h"
#include "views/bible_view.h"
#include "views/passage_page.h"
#include "tests/support/fixtures.h"
#include "views/view_host.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

constexpr int kPsalms = 19;
constexpr int kPsalm119 = 119;

fs::path LibraryFolder() { return test::DefaultLibraryFolder({"Modules/KJV.zb5bible", "stgdat.zb4"}); }

TModuleLibrary* Library() {
    static std::unique_ptr<TModuleLibrary> library = []() -> std::unique_ptr<TModuleLibrary> {
        const fs::path folder = LibraryFolder();
        if (folder.empty()) return nullptr;
        auto loaded = std::make_unique<TModuleLibrary>();
        const std::string modules = (folder / "Modules").string() + "/";
        loaded->LoadParagraphMap((folder / "pmap.dat").string());
        loaded->OpenStrongsData((folder / "stgdat.zb4").string());
        loaded->LoadBibleFolder(modules);
        if (!loaded->ChooseKJVBible()) return nullptr;
        loaded->OrderBibles();
        loaded->LoadBookFolder(modules);
        loaded->OrderBooks();
        loaded->FindSpecialModules();
        loaded->LoadCommentaryFolder(modules);
        loaded->OrderCommentaries();
        loaded->CollectUserCommentaries();
        return loaded;
    }();
    return library.get();
}

// The panes ask nothing of the main window here.
class TQuietHost : public TViewHost {
public:
    TMessageService& Messages() override { return messages_; }
    void ShowStatus(const std::string&) override {}
    void ShowBiblePanel() override {}
    void ShowBibleVerse(int, bool) override {}
    void ShowBible(int) override {}
    void ShowModuleInformation(const TZBBibleModule&) override {}
    void ShowCommentaryEntry(int, int) override {}
    void ShowBookEntry(TZBDictionaryModule&, int, int) override {}
    void ShowBookReferences(const TBookReferences&) override {}
    void EditUserCommentary(int, int) override {}
    void VerseTagDoubleClicked(int) override {}
    void BibleWordDoubleClicked(const std::string&) override {}

private:
    TScriptedMessageService messages_;
};

// A Bible view on the library, shown, on the Bible of that abbreviation.
struct TReader {
    explicit TReader(const char* abbreviation) : view(&host) {
        InitSettingsDefaults(Settings(), nullptr);
        view.SetLibrary(*Library());
        view.resize(900, 700);
        view.show();
        for (size_t i = 0; i < Library()->BibleModules().size(); ++i)
            if (Library()->BibleModules()[i]->Abbreviation() == abbreviation) view.SelectBibleTab(static_cast<int>(i));
        QApplication::processEvents();
    }
    void Paint() { view.Text()->viewport()->repaint(); }

    TQuietHost host;
    TFrameBibleView view;
};

bool Skip(benchmark::State& state) {
    if (Library()) return false;
    state.SkipWithError("no default library with Strong's data; build it with kvx build-library");
    return true;
}

void BM_Psalm119PageBuild(benchmark::State& state) {
    if (Skip(state)) return;
    const TModuleLibrary& library = *Library();
    const TZBBibleModule& bible = *library.StrongsLinkBible();
    TVerseList verses;
    for (int v = bible.VerseNumber(kPsalms, kPsalm119, 1); v <= bible.VerseNumber(kPsalms, kPsalm119, 255); ++v)
        verses.push_back(static_cast<uint16_t>(v));
    TPassagePageInput input;
    input.Bible = &bible;
    input.Verses = &verses;
    input.Properties.BackgroundColor = input.Properties.NoteColumnColor = RgbColor(255, 255, 255);
    input.Properties.TextColor = 0;
    input.StrongsData = library.StrongsData();
    for (const auto& c : library.CommentaryModules()) input.MarginCommentaries.push_back(c.get());
    for (const auto& b : library.BookModules()) input.MarginBooks.push_back(b.get());
    input.ParagraphMap = &library.ParagraphMap();
    size_t bytes = 0;
    for (auto _ : state) bytes = BuildPassagePage(input).Html.size();
    state.counters["page_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_Psalm119PageBuild)->Unit(benchmark::kMillisecond);

// Building, loading and painting the chapter, as a change of chapter does.
void BM_Psalm119PageShow(benchmark::State& state, const char* bible, bool paragraphs) {
    if (Skip(state)) return;
    TReader reader(bible);
    Settings().BibleText.ParaMode = paragraphs;
    reader.view.Refresh();
    reader.view.GoToVerse(reader.view.CurrentBible()->VerseNumber(kPsalms, kPsalm119, 1));
    const TVerseList verses = [&] {
        const TZBBibleModule& b = *reader.view.CurrentBible();
        TVerseList list;
        for (int v = b.VerseNumber(kPsalms, kPsalm119, 1); v <= b.VerseNumber(kPsalms, kPsalm119, 255); ++v)
            list.push_back(static_cast<uint16_t>(v));
        return list;
    }();
    TFrameTextView& text = *reader.view.TextView();
    for (auto _ : state) {
        text.ShowVerses(verses, false, {});
        reader.Paint();
    }
    state.counters["links"] = static_cast<double>(text.Source().count(QStringLiteral("<a href=")));
}
BENCHMARK_CAPTURE(BM_Psalm119PageShow, strongs_columns, "KJVSL", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Psalm119PageShow, strongs_paragraphs, "KJVSL", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Psalm119PageShow, kjv_columns, "KJV", false)->Unit(benchmark::kMillisecond);

// The next chapter, from Genesis onwards, painted.
void BM_NextChapter(benchmark::State& state, const char* bible) {
    if (Skip(state)) return;
    TReader reader(bible);
    reader.view.GoToVerse(1);
    QAction* next = reader.view.Action("ActionNextChapter");
    for (auto _ : state) {
        next->trigger();
        reader.Paint();
    }
}
BENCHMARK_CAPTURE(BM_NextChapter, kjv, "KJV")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NextChapter, strongs, "KJVSL")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
