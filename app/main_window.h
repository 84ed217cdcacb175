// The main window, TMain. Creating it does all of the start-up work: folders, the last
// layout, the settings, the paragraph map, the devotional index, the Strong's data and
// every module of the library, ordered and registered, handed to the panels, with the
// user's last positions restored and the library menus built. Closing it in the
// orderly way saves the layout and writes the settings once.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "app/module_library.h"
#include "views/view_host.h"

class QAction;
class QDockWidget;
class QMenu;

namespace kvx {

class TDesktop;
class TErrorDisplay;
class THelp;
class TMessageService;
class TFrameBibleView;
class TSimpleResourceView;
class TSplashWindow;
class TFormQuickStart;
class TFormCheckUpdateReminder;

// What the program's entry hands the main window: where things are and the services
// it talks to the user and the desktop through.
struct TProgramContext {
    std::string ProgramFolder;    // ends in '/'
    std::string ProgramPath;      // the executable; names the ".ini" file when the configuration folder is unknown
    std::string ConfigFolder;     // the user's configuration folder; empty when it cannot be resolved
    std::string DocumentsFolder;  // the user's documents folder; empty when it cannot be resolved
    TMessageService* Messages = nullptr;
    TDesktop* Desktop = nullptr;
    THelp* Help = nullptr;
    TErrorDisplay* Errors = nullptr;  // silenced when the start fails
};

// The four fixed panels, by their object names (which the saved layout keys on).
inline constexpr const char* kBiblePanelName = "Bibles";
inline constexpr const char* kBookPanelName = "Books and Dictionaries";
inline constexpr const char* kCommentaryPanelName = "Commentaries";
inline constexpr const char* kResultsPanelName = "Search Results";

inline constexpr const char* kMainWindowTitle = "Karvelindorax 5";

// The named layouts.
enum TNamedLayout { LayoutClassic = 0, LayoutBibleLeft = 1, LayoutBibleLeftResultsRight = 2 };

class TMain : public QMainWindow, public TViewHost {
    Q_OBJECT
public:
    explicit TMain(const TProgramContext& context, QWidget* parent = nullptr);
    ~TMain() override;

    // False when start-up ended with a message; the program then ends without the
    // main window ever showing.
    bool StartupSucceeded() const { return startupSucceeded_; }

    // The windows the first idle moment may show; the program's entry creates them.
    void SetStartupForms(TFormQuickStart* quickStart, TFormCheckUpdateReminder* reminder);

    TModuleLibrary& Library() { return library_; }
    const std::string& SettingsFolder() const { return settingsFolder_; }
    const std::string& SettingsFile() const { return settingsFile_; }
    const std::string& UserModuleFolder() const { return userModuleFolder_; }
    std::string LayoutFile() const;

    QDockWidget* BiblePanel() const { return biblePanel_; }
    QDockWidget* BookPanel() const { return bookPanel_; }
    QDockWidget* CommentaryPanel() const { return commentaryPanel_; }
    QDockWidget* ResultsPanel() const { return resultsPanel_; }
    TFrameBibleView* BibleView() const { return bibleView_; }
    TSimpleResourceView* BookView() const { return bookView_; }
    TSimpleResourceView* CommentaryView() const { return commentaryView_; }

    QMenu* BibleMenu() const { return bibleMenu_; }
    QMenu* BookMenu() const { return bookMenu_; }
    QMenu* CommentaryMenu() const { return commentaryMenu_; }
    QMenu* DevotionalMenu() const { return devotionalMenu_; }
    QAction* ExitWithoutLayoutSaveAction() const { return actionExitNoLayoutSave_; }

    // Rebuilds the library items of the Bible, Book and Commentary menus, the state of
    // the commands that need books or commentaries, and the devotional menu's state.
    void RebuildLibraryMenus();
    // Shows the module at that index of the library in its panel.
    void ShowBible(int index) override;
    void ShowBook(int index);
    void ShowCommentary(int index);

    void ApplyNamedLayout(int layout);
    void ShowAllTabs();
    void ShowSelectedTabs();

    // What the panes ask of the main window.
    TMessageService& Messages() override;
    void ShowStatus(const std::string& text) override;
    void ShowBiblePanel() override;
    void ShowBibleVerse(int verse, bool selectLabel) override;
    void ShowModuleInformation(const TZBBibleModule& bible) override;
    void ShowCommentaryEntry(int index, int entry) override;
    void ShowBookEntry(TZBDictionaryModule& book, int entry, int highlightVerse) override;
    void ShowBookReferences(const TBookReferences& references) override;
    void EditUserCommentary(int index, int entry) override;
    void VerseTagDoubleClicked(int verse) override;
    void BibleWordDoubleClicked(const std::string& word) override;

    // A later start asked for this window: restore it from the task bar and bring it
    // to the front.
    void BringToFront();

signals:
    // The first idle moment's work is done (layout applied, welcome answered).
    void FirstIdleDone();
    // The window has painted for the first time.
    void FirstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Start-up, in its order; false when it ended with a message.
    bool RunStartupSequence();
    void SetSplashStatus(const char* status);
    void Fail(const std::string& message);
    void ApplyDisplaySettings();
    void RestoreLastPositions();
    // The orderly close; runs once.
    void ShutDown();
    void SaveSettingsFile();

    void CreatePanels();
    void CreateMenus();
    void ApplyLayoutLock();
    // The docking arrangement to and from a file; restoring raises on a damaged file.
    void SaveLayout(const std::string& fileName) const;
    void RestoreLayout(const std::string& fileName);

    void OnAboutToBlock();
    void OnFirstIdle();
    void OnBibleMenuAboutToShow();
    void OnBookMenuAboutToShow();
    void OnCommentaryMenuAboutToShow();
    void ShowUpdateReminder();
    void ShowWelcome();

    TProgramContext context_;
    TModuleLibrary library_;
    std::string settingsFolder_;
    std::string settingsFile_;
    std::string dcontentFile_;  // empty when the settings live in the program folder
    std::string userModuleFolder_;

    QDockWidget* biblePanel_ = nullptr;
    QDockWidget* bookPanel_ = nullptr;
    QDockWidget* commentaryPanel_ = nullptr;
    QDockWidget* resultsPanel_ = nullptr;
    TFrameBibleView* bibleView_ = nullptr;
    TSimpleResourceView* bookView_ = nullptr;
    TSimpleResourceView* commentaryView_ = nullptr;

    QMenu* bibleMenu_ = nullptr;
    QMenu* bookMenu_ = nullptr;
    QMenu* commentaryMenu_ = nullptr;
    QMenu* devotionalMenu_ = nullptr;
    QAction* actionExitNoLayoutSave_ = nullptr;
    QAction* actionViewDict_ = nullptr;
    QAction* actionViewComment_ = nullptr;

    QPointer<TSplashWindow> splash_;
    QPointer<TFormQuickStart> quickStart_;
    bool showWelcome_ = false;  // as the settings file said at start
    QPointer<TFormCheckUpdateReminder> updateReminder_;

    bool startupSucceeded_ = false;
    bool idleQueued_ = false;
    bool firstIdleDone_ = false;
    bool painted_ = false;
    bool shutDown_ = false;
};

}  // namespace kvx
