// The link pop-up window.
#include "views/hover_popup.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QTextDocument>
#include <QScreen>
#include <QToolTip>

namespace kvx {

namespace {

// Wide enough for a lexicon article to read as a paragraph, narrow enough to stay
// beside the text it explains.
constexpr int kMaxWidth = 460;
// Away from the pointer, so that the pop-up never covers the link it belongs to.
constexpr int kPointerOffset = 16;

}  // namespace

THoverPopup::THoverPopup(QWidget* parent) : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("HoverPopup"));
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setMargin(6);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    // The main window gives tooltips the font and colours of the "Popups" settings.
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setAutoFillBackground(true);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { ShowNow(pendingText_, pendingPos_); });
}

void THoverPopup::ShowLater(const QString& html, const QPoint& globalPos) {
    if (html.isEmpty()) {
        Cancel();
        return;
    }
    pendingText_ = html;
    pendingPos_ = globalPos;
    timer_.start(kShowDelayMs);
}

void THoverPopup::ShowNow(const QString& html, const QPoint& globalPos) {
    timer_.stop();
    if (html.isEmpty()) {
        Cancel();
        return;
    }
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    shownText_ = html;
    // Articles are written as paragraphs; a pop-up wants them close together.
    setText(QStringLiteral("<html><head><style>p { margin-top: 0px; margin-bottom: 4px; }</style></head><body>") +
            html + QStringLiteral("</body></html>"));
    // As wide as the text needs up to the limit; then as high as it wraps to.
    QTextDocument measure;
    measure.setDefaultFont(font());
    measure.setHtml(text());
    measure.setTextWidth(kMaxWidth);
    const int frame = 2 * (margin() + frameWidth()) + 2;
    setFixedWidth(std::min(kMaxWidth, static_cast<int>(std::ceil(measure.idealWidth()))) + frame);
    setFixedHeight(heightForWidth(width()));
    Place(globalPos);
    show();
    raise();
}

void THoverPopup::Cancel() {
    timer_.stop();
    pendingText_.clear();
    shownText_.clear();
    hide();
}

void THoverPopup::Place(const QPoint& globalPos) {
    QPoint at = globalPos + QPoint(kPointerOffset, kPointerOffset);
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        // Above or to the left of the pointer where the screen ends.
        if (at.x() + width() > area.right()) at.setX(std::max(area.left(), globalPos.x() - kPointerOffset - width()));
        if (at.y() + height() > area.bottom()) at.setY(std::max(area.top(), globalPos.y() - kPointerOffset - height()));
    }
    move(at);
}

}  // namespace kvx
