// Opening, ordering and registering the library's modules.
#include "app/module_library.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/ansi_text.h"

namespace kvx {

TModuleLibrary::TModuleLibrary() = default;
TModuleLibrary::~TModuleLibrary() = default;

void TModuleLibrary::LoadParagraphMap(const std::string& fileName) { paragraphMap_.Load(fileName); }

void TModuleLibrary::LoadDevotionIndex(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
    }
    devotionIndex_.Assign(lines);
}

void TModuleLibrary::OpenStrongsData(const std::string& fileName) {
    strongsData_ = std::make_unique<TZBStrongsDataModule>(fileName);
}

std::vector<std::string> ModuleFilesIn(const std::string& folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        if (name.size() > extension.size() && AnsiEndsText(extension, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = AnsiCompareText(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

template <typename TReader, typename TArray, typename TRegister>
void TModuleLibrary::LoadFolder(const std::string& folder, std::string_view extension, TArray& modules,
                                TRegister registerModule) {
    for (const std::string& name : ModuleFilesIn(folder, extension)) {
        // A file name is taken once: a later folder's copy is opened only when the
        // earlier one failed.
        if (loadedModuleFiles_.Contains(name)) continue;
        std::unique_ptr<TReader> module;
        try {
            module = std::make_unique<TReader>(folder + name);
        } catch (const std::exception&) {
            continue;  // damaged or foreign: the library holds the others
        }
        TReader& opened = *module;
        modules.push_back(std::move(module));
        loadedModuleFiles_.Add(name);
        registerModule(opened, folder + name);
    }
}

void TModuleLibrary::RegisterBible(TZBBibleModule& bible) {
    biblesByAbbreviation_.Add(bible.Abbreviation(), &bible);
    moduleNamesInUse_.Add(bible.Abbreviation(), &bible);
    moduleNamesInUse_.Add(bible.ModuleName(), &bible);
}

void TModuleLibrary::LoadBibleFolder(const std::string& folder) {
    LoadFolder<TZBBibleModule>(folder, kBibleExtension, bibleModules_, [this](TZBBibleModule& bible, const std::string& path) {
        RegisterBible(bible);
        if (!bible.HasStrongs()) return;
        try {
            auto twin = std::make_unique<TZBBibleModule>(path);
            twin->SetStrongsLinks(true);
            twin->SetModuleName(twin->ModuleName() + kStrongsTwinTitleSuffix);
            twin->SetAbbreviation(twin->Abbreviation() + kStrongsTwinAbbreviationSuffix);
            strongsLinkBible_ = twin.get();
            bibleModules_.push_back(std::move(twin));
        } catch (const std::exception&) {
            // The module itself opened; only its twin is missing.
        }
    });
}

void TModuleLibrary::LoadBookFolder(const std::string& folder) {
    LoadFolder<TZBDictionaryModule>(folder, kBookExtension, bookModules_,
                                    [this](TZBDictionaryModule& book, const std::string&) {
                                        booksByTitle_.Add(book.ModuleName(), &book);
                                        booksByAbbreviation_.Add(book.Abbreviation(), &book);
                                        moduleNamesInUse_.Add(book.Abbreviation(), &book);
                                        moduleNamesInUse_.Add(book.ModuleName(), &book);
                                    });
}

void TModuleLibrary::LoadCommentaryFolder(const std::string& folder) {
    LoadFolder<TZBCommentaryModule>(folder, kCommentaryExtension, commentaryModules_,
                                    [this](TZBCommentaryModule& commentary, const std::string&) {
                                        commentariesByTitle_.Add(commentary.ModuleName(), &commentary);
                                        commentariesByAbbreviation_.Add(commentary.Abbreviation(), &commentary);
                                        moduleNamesInUse_.Add(commentary.Abbreviation(), &commentary);
                                        moduleNamesInUse_.Add(commentary.ModuleName(), &commentary);
                                    });
}

bool TModuleLibrary::ChooseKJVBible() {
    kjvBible_ = nullptr;
    for (const auto& bible : bibleModules_)
        if (bible->Abbreviation() == kReferenceBibleAbbreviation) {
            kjvBible_ = bible.get();
            break;
        }
    if (!kjvBible_) return false;
    // The reference Bible answers the quick search's "did you mean" without delay. A
    // damaged word index shows at the first search, as in every other Bible.
    try {
        kjvBible_->SuggestionWordList();
    } catch (const std::exception&) {
    }
    return true;
}

void TModuleLibrary::OrderBibles() {
    auto& b = bibleModules_;
    if (b.size() < 2) return;
    // std::string compares its bytes unsigned, as the order wants.
    ExchangeSort(b, [](const auto& x, const auto& y) { return x->Abbreviation() < y->Abbreviation(); });
    for (size_t i = b.size() - 1; i >= 1; --i)
        if (b[i]->Abbreviation() == kReferenceBibleAbbreviation) std::swap(b[i], b[i - 1]);
    const std::string twin = std::string(kReferenceBibleAbbreviation) + kStrongsTwinAbbreviationSuffix;
    if (b.size() > 2)
        for (size_t i = b.size() - 1; i >= 2; --i)
            if (b[i]->Abbreviation() == twin) std::swap(b[i], b[i - 1]);
}

namespace {

template <typename TArray>
void OrderByLoweredAbbreviation(TArray& modules) {
    if (modules.size() < 2) return;
    ExchangeSort(modules, [](const auto& x, const auto& y) {
        return AnsiLowerCase(x->Abbreviation()) < AnsiLowerCase(y->Abbreviation());
    });
}

template <typename TArray>
void ApplyResourceFlags(const TArray& modules, const TSortedStringList& hiddenTabs,
                        const TSortedStringList& excludeFromLinking) {
    bool anyShown = false;
    for (const auto& module : modules) {
        module->SetLinked(!excludeFromLinking.Contains(module->Abbreviation()));
        module->SetTabShown(!hiddenTabs.Contains(module->Abbreviation()));
        anyShown = anyShown || module->TabShown();
    }
    if (!anyShown && !modules.empty()) modules.front()->SetTabShown(true);
}

template <typename TArray>
void UpdateLinkingList(const TArray& modules, TSortedStringList& list) {
    for (const auto& module : modules) {
        const bool listed = list.Contains(module->Abbreviation());
        if (module->Linked() && listed) list.Remove(module->Abbreviation());
        else if (!module->Linked() && !listed) list.Add(module->Abbreviation());
    }
}

template <typename TArray, typename TModule>
int IndexIn(const TArray& modules, const TModule* module) {
    for (size_t i = 0; i < modules.size(); ++i)
        if (modules[i].get() == module) return static_cast<int>(i);
    return -1;
}

}  // namespace

void TModuleLibrary::OrderBooks() { OrderByLoweredAbbreviation(bookModules_); }

void TModuleLibrary::OrderCommentaries() { OrderByLoweredAbbreviation(commentaryModules_); }

void TModuleLibrary::FindSpecialModules() {
    struct TSpecial {
        const char* code;
        TZBDictionaryModule** member;
    };
    const TSpecial specials[] = {{kStrongsHebrewCode, &strHebModule_},
                                 {kStrongsGreekCode, &strGrkModule_},
                                 {kKJBCCode, &kjbcModule_},
                                 {kDictionaryAJCode, &wajModule_},
                                 {kDictionaryKZCode, &wkzModule_}};
    for (const TSpecial& special : specials) *special.member = nullptr;
    for (const auto& book : bookModules_)
        for (const TSpecial& special : specials)
            if (book->ModuleCode() == special.code) *special.member = book.get();
}

void TModuleLibrary::CollectUserCommentaries() {
    userCommentaryModules_.clear();
    for (const auto& commentary : commentaryModules_)
        if (!commentary->ReadOnly()) userCommentaryModules_.push_back(commentary.get());
}

void TModuleLibrary::ApplyModuleFlags(const TSortedStringList& hiddenTabs,
                                      const TSortedStringList& excludeFromLinking) {
    for (const auto& bible : bibleModules_)
        bible->SetTabShown(bible.get() == kjvBible_ || !hiddenTabs.Contains(bible->Abbreviation()));
    ApplyResourceFlags(bookModules_, hiddenTabs, excludeFromLinking);
    ApplyResourceFlags(commentaryModules_, hiddenTabs, excludeFromLinking);
}

TSortedStringList TModuleLibrary::HiddenTabNames() const {
    TSortedStringList hidden;
    for (const auto& bible : bibleModules_)
        if (bible.get() != kjvBible_ && !bible->TabShown()) hidden.Add(bible->Abbreviation());
    for (const auto& book : bookModules_)
        if (!book->TabShown()) hidden.Add(book->Abbreviation());
    for (const auto& commentary : commentaryModules_)
        if (!commentary->TabShown()) hidden.Add(commentary->Abbreviation());
    return hidden;
}

void TModuleLibrary::UpdateExcludeFromLinking(TSortedStringList& excludeFromLinking) const {
    UpdateLinkingList(commentaryModules_, excludeFromLinking);
    UpdateLinkingList(bookModules_, excludeFromLinking);
}

int TModuleLibrary::IndexOfBible(const TZBBibleModule* bible) const { return IndexIn(bibleModules_, bible); }

int TModuleLibrary::IndexOfBook(const TZBDictionaryModule* book) const { return IndexIn(bookModules_, book); }

int TModuleLibrary::IndexOfCommentary(const TZBDictionaryModule* commentary) const {
    return IndexIn(commentaryModules_, commentary);
}

bool TModuleLibrary::DevotionsAvailable() const {
    return !devotionIndex_.Empty() && commentariesByAbbreviation_.Contains(kDevotionalCommentary);
}

}  // namespace kvx
