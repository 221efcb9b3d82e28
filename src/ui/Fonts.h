#pragma once

#include <QFont>

namespace pagora {

// Registers the free Tahoma of the fonts-wine package with the application, unless a Tahoma
// is installed already, so that texts keep the widths the fixed layouts were made for. Runs
// its work once, however often it is called; false when no Tahoma could be had.
bool LoadFonts();

// Tahoma, 8 points: the font of the program's dialogs (loads the fonts first).
QFont DialogFont();

} // namespace pagora
