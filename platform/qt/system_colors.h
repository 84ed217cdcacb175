// Stored colours on the desktop's palette. The settings keep a colour as 0x00BBGGRR or,
// for a system colour, as 0xFF0000nn with nn a system colour index (5 the window
// background, 8 the window text, 15 the button face, 24 the tooltip background, ...).
// Here a system colour becomes the matching colour of the palette in use, so that the
// panels follow the desktop's theme.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace kvx {

// The colour as it is drawn. An index the desktop has no counterpart for is drawn in
// the window colour.
QColor ToQColor(int32_t storedColor, const QPalette& palette);

// The same colour as an RGB value in the stored form (0x00BBGGRR), for code that writes
// colours into HTML.
int32_t ResolveSystemColor(int32_t storedColor, const QPalette& palette);

}  // namespace kvx
