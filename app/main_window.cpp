// The main window's start-up sequence, first idle moment and orderly close.
#include "app/main_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <climits>
#include <filesystem>
#include <optional>

#include "app/settings.h"
#include "app/settings_windows.h"
#include "app/splash_window.h"
#include "app/startup_files.h"
#include "app/startup_forms.h"
#include "app/startup_state.h"
#include "app/update_check.h"
#include "platform/ansi_text.h"
#include "platform/file_util.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/error_display.h"
#include "platform/qt/message_service.h"
#include "platform/qt/system_colors.h"
#include "platform/user_folders.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"

namespace kvx {

namespace {

constexpr const char* kMainFormSection = "MainForm";

void RemoveFile(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

TViewDisplay DisplayOf(const TPropertiesResourceView& p) {
    return {p.MainFont, p.MainSize, p.BackgroundColor, p.TextColor};
}

template <typename TArray>
std::vector<TZBDictionaryModule*> Pointers(const TArray& modules) {
    std::vector<TZBDictionaryModule*> pointers;
    for (const auto& module : modules) pointers.push_back(module.get());
    return pointers;
}

// The index of the last module, down to index 1, abbreviated exactly so; 0 when none is.
template <typename TArray>
int LastIndexOf(const TArray& modules, const std::string& abbreviation) {
    for (size_t i = modules.size(); i-- > 1;)
        if (modules[i]->Abbreviation() == abbreviation) return static_cast<int>(i);
    return 0;
}

// A saved window rectangle that the user can still reach: on a screen that is there
// now (screens come and go), and no larger than it.
std::optional<QRect> FitOnScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (!area.intersects(rect)) continue;
        return QRect(rect.topLeft(), QSize(std::min(rect.width(), area.width()), std::min(rect.height(), area.height())));
    }
    return std::nullopt;
}

// A saved entry index: a decimal integer, or fallback when the text is not one.
int ParseEntryIndex(const std::string& text, int fallback) {
    try {
        size_t used = 0;
        const long value = std::stol(text, &used);
        if (used != text.size() || value < INT32_MIN || value > INT32_MAX) return fallback;
        return static_cast<int>(value);
    } catch (const std::exception&) {
        return fallback;
    }
}

}  // namespace

TMain::TMain(const TProgramContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    setObjectName(QStringLiteral("Main"));
    resize(1100, 760);
    CreatePanels();
    CreateMenus();
    startupSucceeded_ = RunStartupSequence();
    if (!startupSucceeded_) {
        delete splash_;
        return;
    }
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TMain::OnAboutToBlock);
}

TMain::~TMain() { delete splash_; }

void TMain::SetStartupForms(TFormQuickStart* quickStart, TFormCheckUpdateReminder* reminder) {
    quickStart_ = quickStart;
    updateReminder_ = reminder;
}

std::string TMain::LayoutFile() const { return settingsFolder_ + kLastLayoutFile; }

void TMain::SetSplashStatus(const char* status) {
    if (splash_) splash_->SetStatus(QString::fromUtf8(status));
}

void TMain::Fail(const std::string& message) {
    // The splash stays on top of everything; the message must not hide behind it.
    if (splash_) splash_->hide();
    context_.Messages->Show(TMessageKind::Error, "", message);
}

bool TMain::RunStartupSequence() {
    TStartupState& state = StartupState();
    state = TStartupState{};

    // Settings folder; without a configuration folder the program folder stands in.
    const TSettingsLocation location = ResolveSettingsLocation(context_.ConfigFolder, context_.ProgramPath);
    settingsFolder_ = location.Folder;
    settingsFile_ = location.SettingsFile;
    if (location.PerUser) {
        ForceFolders(settingsFolder_);
        dcontentFile_ = settingsFolder_ + kDContentFile;
    }

    // The last layout is used once: a layout that breaks the start must not break the next.
    const std::string layoutFile = LayoutFile();
    if (FileExists(layoutFile)) {
        try {
            RestoreLayout(layoutFile);
            RemoveFile(layoutFile);
        } catch (const std::exception&) {
            RemoveFile(layoutFile);
            Fail(kLayoutErrorMessage);
            state.StartupFailed = true;
            if (context_.Errors) context_.Errors->SetSilent(true);
            return false;
        }
    } else {
        state.DefaultLayoutPending = true;
    }

    const std::string documents = context_.DocumentsFolder.empty() ? settingsFolder_ : context_.DocumentsFolder;
    userModuleFolder_ = documents + kUserModuleFolderName;
    ForceFolders(userModuleFolder_);

    splash_ = new TSplashWindow(ProgramVersion());
    splash_->show();
    splash_->SetStatus(QStringLiteral("Initializing..."));

    try {
        state.NoPrinter = QPrinterInfo::availablePrinterNames().isEmpty();
    } catch (const std::exception&) {
        state.NoPrinter = true;
    }

    TProfileFile profile;
    try {
        profile = TProfileFile::Load(settingsFile_);
    } catch (const std::exception&) {
        // Unreadable: the defaults stand, and the exit will not write over it unread.
    }
    LoadSettings(Settings(), profile);
    showWelcome_ = ReadShowWelcome(profile);
    if (auto placement = ReadWindowPlacement(profile, kMainFormSection)) {
        const QRect stored(placement->Left, placement->Top, placement->Right - placement->Left,
                           placement->Bottom - placement->Top);
        if (auto fitted = FitOnScreen(stored)) setGeometry(*fitted);
        if (placement->Maximized) setWindowState(windowState() | Qt::WindowMaximized);
    }
    ApplyLayoutLock();
    ApplyDisplaySettings();

    SetSplashStatus("Initializing");
    try {
        library_.LoadParagraphMap(context_.ProgramFolder + kParagraphMapFile);
    } catch (const std::exception&) {
        Fail(kParagraphMapMessage);
        return false;
    }
    library_.LoadDevotionIndex(context_.ProgramFolder + kDevotionIndexFile);

    SetSplashStatus("Initializing Strong's Data");
    const std::string strongsFile = context_.ProgramFolder + kStrongsDataFile;
    if (!FileExists(strongsFile)) {
        // The folder and the message run together: the message starts with the file's name.
        Fail(context_.ProgramFolder + kStrongsDataMissingSuffix);
        return false;
    }
    try {
        library_.OpenStrongsData(strongsFile);
    } catch (const std::exception& e) {
        // A damaged file would break every Strong's look-up later; say so now.
        Fail(e.what());
        return false;
    }

    SetSplashStatus("Initializing Bibles");
    library_.LoadBibleFolder(context_.ProgramFolder + kModulesFolder);
    library_.LoadBibleFolder(userModuleFolder_);
    if (!library_.ChooseKJVBible()) {
        Fail(kNoKJVMessage);
        return false;
    }
    library_.OrderBibles();

    const std::string folders[] = {context_.ProgramFolder + kModulesFolder, context_.ProgramFolder + kUserBooksFolder,
                                   userModuleFolder_};
    SetSplashStatus("Initializing Books");
    for (const std::string& folder : folders) library_.LoadBookFolder(folder);
    library_.OrderBooks();
    library_.FindSpecialModules();

    SetSplashStatus("Initializing Commentaries");
    for (const std::string& folder : folders) library_.LoadCommentaryFolder(folder);
    library_.OrderCommentaries();
    library_.CollectUserCommentaries();

    SetSplashStatus("Initializing");
    library_.ApplyModuleFlags(Settings().HiddenTabs, Settings().ExcludeFromLinking);
    bibleView_->SetLibrary(library_);
    RestoreLastPositions();
    if (Settings().StartupFavTabs) ShowSelectedTabs();
    else ShowAllTabs();
    RebuildLibraryMenus();

    state.StartupComplete = true;
    state.StartingUp = false;
    return true;
}

void TMain::ApplyDisplaySettings() {
    const TSettings& s = Settings();
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, ToQColor(s.ToolTipBGColor, tips));
    tips.setColor(QPalette::ToolTipText, ToQColor(s.ToolTipTextColor, tips));
    QToolTip::setPalette(tips);
    QFont tipFont = QToolTip::font();
    tipFont.setFamily(QString::fromStdString(AnsiToUtf8(s.ToolTipFontName)));
    if (s.ToolTipFontSize > 0) tipFont.setPointSize(s.ToolTipFontSize);
    QToolTip::setFont(tipFont);
    bookView_->SetDisplay(DisplayOf(s.BookText));
    commentaryView_->SetDisplay(DisplayOf(s.CmtText));
}

void TMain::RestoreLastPositions() {
    TSettings& s = Settings();
    const auto& items = s.ActiveResources;
    const bool usable = items.size() > 4;
    const auto& bibles = library_.BibleModules();

    int bibleIndex = library_.IndexOfBible(library_.KJVBible());
    if (usable && !items[0].empty()) bibleIndex = LastIndexOf(bibles, items[0]);
    bibleView_->SelectBibleTab(bibleIndex);

    if (s.StartupVerse == 1) {
        bibleView_->ShowTodaysProverb(QDate::currentDate().day());
    } else {
        int verse = s.LastBibleVerse;
        const TZBBibleModule* shown = bibleView_->CurrentBible();
        if (verse < 1 || (shown && shown->VerseCount() < verse)) {
            verse = 1;
            s.DocPosBible = 0;
        }
        bibleView_->GoToVerse(verse);
        bibleView_->SetScrollPosition(s.DocPosBible);
    }

    const auto& books = library_.BookModules();
    if (!books.empty()) {
        bookView_->SetModules(Pointers(books), library_.KJVBible());
        if (usable && !items[3].empty() && library_.BooksByAbbreviation().Contains(items[3])) {
            const int index = LastIndexOf(books, items[3]);
            int entry = ParseEntryIndex(items[4], 0);
            if (entry < 0 || entry >= books[static_cast<size_t>(index)]->EntryCount()) entry = 0;
            bookView_->ShowEntry(index, entry);
            bookView_->SetScrollPosition(s.DocPosBook);
        } else {
            bookView_->ShowEntry(0, 0);
        }
    }

    const auto& commentaries = library_.CommentaryModules();
    if (!commentaries.empty()) {
        commentaryView_->SetModules(Pointers(commentaries), library_.KJVBible());
        const int verseEntry = bibleView_->CurrentVerse() - 1;
        if (usable && !items[1].empty() && library_.CommentariesByAbbreviation().Contains(items[1])) {
            const int index = LastIndexOf(commentaries, items[1]);
            int entry = ParseEntryIndex(items[2], -1);
            if (entry < 0 || entry >= commentaries[static_cast<size_t>(index)]->EntryCount()) entry = verseEntry;
            commentaryView_->ShowEntry(index, entry);
            commentaryView_->SetScrollPosition(s.DocPosCommentary);
        } else {
            commentaryView_->ShowEntry(0, verseEntry);
        }
    }
}

void TMain::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        emit FirstPainted();
    }
}

void TMain::OnAboutToBlock() {
    // Only work that is waiting is queued: queuing on every idle moment would wake the
    // loop for ever.
    if (idleQueued_ || (firstIdleDone_ && !StartupState().DefaultLayoutPending)) return;
    idleQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        idleQueued_ = false;
        OnFirstIdle();
    });
}

void TMain::OnFirstIdle() {
    TStartupState& state = StartupState();
    if (state.DefaultLayoutPending) {
        state.DefaultLayoutPending = false;
        ApplyNamedLayout(Settings().LastSetLayout);
    }
    if (firstIdleDone_) return;
    firstIdleDone_ = true;
    delete splash_;
    ShowUpdateReminder();
    ShowWelcome();
    emit FirstIdleDone();
}

void TMain::ShowUpdateReminder() {
    TSettings& s = Settings();
    if (!updateReminder_ || !UpdateReminderDue(s.UpdateReminder, Today(), s.LastUpdateCheckDate, s.UpdateReminderInterval))
        return;
    updateReminder_->SetInterval(s.UpdateReminderInterval);
    s.LastUpdateCheckDate = Today();
    switch (context_.Messages->Exec(*updateReminder_)) {
        case TFormCheckUpdateReminder::CheckNow:
            if (context_.Desktop) context_.Desktop->OpenUrl(UpdatePageAddress(ProgramVersion()));
            break;
        case TFormCheckUpdateReminder::NeverRemind: s.UpdateReminder = false; break;
        default: break;
    }
}

void TMain::ShowWelcome() {
    if (!quickStart_ || !showWelcome_) return;
    try {
        UpdateSettingsFile(settingsFile_, [](TProfileFile& file) { WriteShowWelcome(file, false); });
        showWelcome_ = false;
    } catch (const std::exception&) {
        // A settings file that cannot be read or written: greeting the user at every
        // start would be worse than not greeting at all.
        return;
    }
    if (context_.Messages->Exec(*quickStart_) == QDialog::Accepted && context_.Help)
        context_.Help->ShowTopic(kQuickStartHelpTopic);
}

void TMain::BringToFront() {
    // A request that arrives after the close must not bring the window back: the
    // program would go on running with nothing left to save it.
    if (shutDown_) return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMain::closeEvent(QCloseEvent* event) {
    ShutDown();
    event->accept();
}

void TMain::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    TStartupState& state = StartupState();
    if (state.StartupFailed || !state.StartupComplete) return;
    TSettings& s = Settings();

    if (!state.ExitWithoutLayoutSave) {
        try {
            SaveLayout(LayoutFile());
        } catch (const std::exception& e) {
            context_.Messages->Show(TMessageKind::Warning, "",
                                    std::string("The window layout could not be saved: ") + e.what());
        }
        if (!dcontentFile_.empty()) RemoveFile(dcontentFile_);
    }

    // The Bible search dialog that names the last searched version does not exist
    // yet; until it does the stored choice is kept as it was read.

    s.HiddenTabs = library_.HiddenTabNames();
    if (bibleView_->CurrentVerse() > 0) s.LastBibleVerse = bibleView_->CurrentVerse();

    s.ActiveResources.clear();
    const TZBBibleModule* shown = bibleView_->CurrentBible();
    s.ActiveResources.push_back(shown ? shown->Abbreviation() : std::string());
    s.DocPosBible = bibleView_->ScrollPosition();
    s.DocPosBook = library_.BookModules().empty() ? 0 : bookView_->ScrollPosition();
    s.DocPosCommentary = library_.CommentaryModules().empty() ? 0 : commentaryView_->ScrollPosition();
    for (TSimpleResourceView* view : {commentaryView_, bookView_}) {
        const TZBDictionaryModule* module = view->CurrentModule();
        s.ActiveResources.push_back(module ? module->Abbreviation() : std::string());
        s.ActiveResources.push_back(module ? std::to_string(view->CurrentEntry()) : std::string());
    }
    library_.UpdateExcludeFromLinking(s.ExcludeFromLinking);
    // No verse list is open.
    s.ActiveResources.push_back(kReferenceBibleAbbreviation);

    SaveSettingsFile();
}

void TMain::SaveSettingsFile() {
    const TStartupState& state = StartupState();
    TWindowPlacement placement;
    const QRect normal = normalGeometry();
    placement.Left = normal.left();
    placement.Top = normal.top();
    placement.Right = normal.left() + normal.width();
    placement.Bottom = normal.top() + normal.height();
    placement.Maximized = isMaximized();
    try {
        UpdateSettingsFile(settingsFile_, [&](TProfileFile& file) {
            WriteWindowPlacement(file, kMainFormSection, placement);
            if (state.ExitWithoutLayoutSave) EraseControlBar(file);
            StoreSettings(Settings(), file);
        });
    } catch (const std::exception& e) {
        context_.Messages->Show(TMessageKind::Error, "",
                                std::string("Your settings could not be saved: ") + e.what());
    }
}

}  // namespace kvx
