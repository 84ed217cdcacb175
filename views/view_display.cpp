// Fonts, colours, text conversion and scroll positions of the panes.
#include "views/view_display.h"

#include <QScrollBar>
#include <QTextBrowser>

#include "platform/ansi_text.h"
#include "platform/qt/system_colors.h"

namespace kvx {

void ApplyViewDisplay(QTextBrowser& text, const TViewDisplay& display) {
    QFont font = text.font();
    if (!display.FontName.empty()) font.setFamily(QString::fromStdString(AnsiToUtf8(display.FontName)));
    if (display.FontSize > 0) font.setPointSize(display.FontSize);
    text.setFont(font);
    QPalette palette = text.palette();
    palette.setColor(QPalette::Base, ToQColor(display.BackgroundColor, palette));
    palette.setColor(QPalette::Text, ToQColor(display.TextColor, palette));
    text.setPalette(palette);
}

QString ModuleText(const std::string& text, bool isUtf8) {
    return QString::fromStdString(isUtf8 ? text : AnsiToUtf8(text));
}

QString AnsiText(const std::string& text) { return ModuleText(text, false); }

QString MenuText(const std::string& text) { return AnsiText(text).replace(QLatin1Char('&'), QStringLiteral("&&")); }

int ScrollPosition(const QTextBrowser& text) { return text.verticalScrollBar()->value(); }

void SetScrollPosition(QTextBrowser& text, int position) {
    QScrollBar* bar = text.verticalScrollBar();
    // A position waiting from an earlier call is superseded.
    delete bar->findChild<QObject*>(QStringLiteral("pendingScroll"), Qt::FindDirectChildrenOnly);
    bar->setValue(position);
    if (bar->value() == position || position <= 0) return;
    // Not laid out at its final size yet: apply it once the range has grown, unless the
    // user scrolls first.
    auto* pending = new QObject(bar);
    pending->setObjectName(QStringLiteral("pendingScroll"));
    QObject::connect(bar, &QScrollBar::rangeChanged, pending, [bar, pending, position](int, int max) {
        bar->setValue(position);
        if (max >= position) pending->deleteLater();
    });
    QObject::connect(bar, &QScrollBar::actionTriggered, pending, [pending](int) { pending->deleteLater(); });
}

}  // namespace kvx
