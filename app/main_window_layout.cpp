// The main window's docking site: the four fixed panels, the named layouts, the
// locked layout and the saving and restoring of the arrangement.
#include "app/main_window.h"

#include <QDockWidget>
#include <filesystem>

#include "app/settings.h"
#include "app/startup_files.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"

namespace kvx {

namespace {

// The version QMainWindow stores with the arrangement; a file of another version is
// refused like a damaged one.
constexpr int kLayoutVersion = 1;

QDockWidget* NewPanel(const char* name, QWidget* content, QMainWindow* owner) {
    auto* panel = new QDockWidget(QString::fromUtf8(name), owner);
    panel->setObjectName(QString::fromUtf8(name));
    panel->setWidget(content);
    return panel;
}

}  // namespace

void TMain::CreatePanels() {
    setDockNestingEnabled(true);
    bibleView_ = new TFrameBibleView(this);
    biblePanel_ = NewPanel(kBiblePanelName, bibleView_, this);
    bookView_ = new TSimpleResourceView;
    bookPanel_ = NewPanel(kBookPanelName, bookView_, this);
    commentaryView_ = new TSimpleResourceView;
    commentaryPanel_ = NewPanel(kCommentaryPanelName, commentaryView_, this);
    resultsPanel_ = NewPanel(kResultsPanelName, new QWidget, this);
    // The designed arrangement, until a saved or named one replaces it.
    addDockWidget(Qt::LeftDockWidgetArea, biblePanel_);
    splitDockWidget(biblePanel_, bookPanel_, Qt::Horizontal);
    splitDockWidget(biblePanel_, resultsPanel_, Qt::Vertical);
    splitDockWidget(bookPanel_, commentaryPanel_, Qt::Vertical);
}

void TMain::ApplyLayoutLock() {
    const QDockWidget::DockWidgetFeatures features =
        Settings().LayoutLocked ? QDockWidget::DockWidgetClosable
                                : QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                                      QDockWidget::DockWidgetFloatable;
    for (QDockWidget* panel : {biblePanel_, bookPanel_, commentaryPanel_, resultsPanel_}) panel->setFeatures(features);
}

void TMain::ApplyNamedLayout(int layout) {
    std::error_code ec;
    std::filesystem::remove(LayoutFile(), ec);
    if (layout < LayoutClassic || layout > LayoutBibleLeftResultsRight) layout = LayoutBibleLeft;

    setUpdatesEnabled(false);
    for (QDockWidget* panel : {biblePanel_, bookPanel_, commentaryPanel_, resultsPanel_}) {
        removeDockWidget(panel);
        panel->setFloating(false);
    }
    const int width = std::max(this->width(), 1);
    const int height = std::max(this->height(), 1);
    auto share = [](int total, double fraction) { return std::max(1, static_cast<int>(total * fraction)); };
    addDockWidget(Qt::LeftDockWidgetArea, biblePanel_);
    switch (layout) {
        case LayoutClassic:
            addDockWidget(Qt::LeftDockWidgetArea, resultsPanel_);
            splitDockWidget(resultsPanel_, biblePanel_, Qt::Horizontal);
            splitDockWidget(resultsPanel_, bookPanel_, Qt::Vertical);
            splitDockWidget(biblePanel_, commentaryPanel_, Qt::Vertical);
            resizeDocks({resultsPanel_, biblePanel_}, {share(width, 0.45), share(width, 0.55)}, Qt::Horizontal);
            resizeDocks({resultsPanel_, bookPanel_}, {share(height, 0.4), share(height, 0.6)}, Qt::Vertical);
            resizeDocks({biblePanel_, commentaryPanel_}, {share(height, 0.6), share(height, 0.4)}, Qt::Vertical);
            break;
        case LayoutBibleLeft:
            splitDockWidget(biblePanel_, bookPanel_, Qt::Horizontal);
            splitDockWidget(biblePanel_, resultsPanel_, Qt::Vertical);
            splitDockWidget(bookPanel_, commentaryPanel_, Qt::Vertical);
            resizeDocks({biblePanel_, bookPanel_}, {share(width, 0.5), share(width, 0.5)}, Qt::Horizontal);
            resizeDocks({biblePanel_, resultsPanel_}, {share(height, 0.68), share(height, 0.32)}, Qt::Vertical);
            resizeDocks({bookPanel_, commentaryPanel_}, {share(height, 0.5), share(height, 0.5)}, Qt::Vertical);
            break;
        default:
            splitDockWidget(biblePanel_, resultsPanel_, Qt::Horizontal);
            splitDockWidget(resultsPanel_, commentaryPanel_, Qt::Vertical);
            tabifyDockWidget(commentaryPanel_, bookPanel_);
            resizeDocks({biblePanel_, resultsPanel_}, {share(width, 0.5), share(width, 0.5)}, Qt::Horizontal);
            resizeDocks({resultsPanel_, commentaryPanel_}, {share(height, 0.4), share(height, 0.6)}, Qt::Vertical);
            break;
    }
    for (QDockWidget* panel : {biblePanel_, bookPanel_, commentaryPanel_, resultsPanel_}) panel->show();
    // Panels of a kind the library lacks stay hidden.
    if (library_.BookModules().empty()) bookPanel_->hide();
    if (library_.CommentaryModules().empty()) commentaryPanel_->hide();
    ApplyLayoutLock();
    setUpdatesEnabled(true);
    Settings().LastSetLayout = layout;
}

void TMain::SaveLayout(const std::string& fileName) const {
    const QByteArray state = saveState(kLayoutVersion);
    WriteFileAtomically(fileName, std::string_view(state.constData(), static_cast<size_t>(state.size())));
}

void TMain::RestoreLayout(const std::string& fileName) {
    const std::string bytes = ReadWholeFile(fileName);
    if (!restoreState(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), kLayoutVersion))
        throw Exception(Format("The layout in %s cannot be restored.", fileName.c_str()));
}

}  // namespace kvx
