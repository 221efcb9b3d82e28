#pragma once

#include <QString>

class QWidget;

namespace pagora {

class THexGridView;

// Moves the grid's focus to the byte at a hexadecimal address: its row is focused, selected
// and centred, the focus goes to the byte's hex cell. An address past the last row (or one
// that reads negative) gets the message "Die eingegebene Adresse überschreitet ...". A text
// that is not hexadecimal raises EConvertError "No Hex-Number" before anything moves.
void GotoAddress(THexGridView& grid, const QString& addressText, QWidget* messageParent);

} // namespace pagora
