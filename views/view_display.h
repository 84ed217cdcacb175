// What the panes share: the font and colours of their text from a settings record,
// and engine text made ready for the screen.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

class QTextBrowser;

namespace kvx {

// A pane's text look: font name and size in points, background and text colour in
// the stored form (system colours follow the desktop's palette).
struct TViewDisplay {
    std::string FontName;
    int32_t FontSize = 10;
    int32_t BackgroundColor = 0;
    int32_t TextColor = 0;
};

void ApplyViewDisplay(QTextBrowser& text, const TViewDisplay& display);

// Module text (Windows-1252, or UTF-8 where the module says so) for the screen.
QString ModuleText(const std::string& text, bool isUtf8);
// Engine text in Windows-1252 for the screen.
QString AnsiText(const std::string& text);
// The same as a menu or tab caption: an ampersand is shown, not taken as an accelerator.
QString MenuText(const std::string& text);

// The scroll position of a text, and setting it once the text has been laid out:
// a position beyond what the text can scroll to yet is applied when it can.
int ScrollPosition(const QTextBrowser& text);
void SetScrollPosition(QTextBrowser& text, int position);

}  // namespace kvx
