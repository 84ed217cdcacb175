// The pop-up text of a link under the pointer: a small tooltip-style window showing
// HTML (a lexicon article, a commentary's title and verse, a book's entry titles). It
// comes up after the pointer has rested on the link for a moment and stays until the
// pointer leaves the link.
#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>

namespace kvx {

class THoverPopup : public QLabel {
    Q_OBJECT
public:
    // The pointer must rest this long before the text shows.
    static constexpr int kShowDelayMs = 300;

    explicit THoverPopup(QWidget* parent = nullptr);

    // Shows html beside the global position after the delay; an empty text hides the
    // pop-up and cancels one that is waiting.
    void ShowLater(const QString& html, const QPoint& globalPos);
    // Shows it now.
    void ShowNow(const QString& html, const QPoint& globalPos);
    void Cancel();
    bool Pending() const { return timer_.isActive(); }
    const QString& PendingText() const { return pendingText_; }
    // The text shown (without the pop-up's own page around it).
    const QString& ShownText() const { return shownText_; }

private:
    void Place(const QPoint& globalPos);

    QTimer timer_;
    QString pendingText_;
    QString shownText_;
    QPoint pendingPos_;
};

}  // namespace kvx
