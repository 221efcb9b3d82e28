#include "ui/GotoAddress.h"

#include "image/HexToInt.h"
#include "ui/Messages.h"
#include "ui/THexGridView.h"

namespace pagora {

void GotoAddress(THexGridView& grid, const QString& addressText, QWidget* messageParent) {
    const std::int32_t address = HexToInt(addressText.toStdString());
    const int column = address % 16;
    const int row = (address - column) / 16;
    if (address < 0 || row >= grid.RowCount()) {
        ShowHeadedMessage(messageParent, QMessageBox::Information, QStringLiteral("Informationen"),
                          QStringLiteral("Hinweis:"),
                          QStringLiteral("Die eingegebene Adresse überschreitet die Läänge des "
                                         "Hex-Files!"));
        return;
    }
    grid.FocusRow(row);
    grid.SelectRow(row);
    grid.ScrollToCentre(row);
    grid.FocusColumn(column + 1);
}

} // namespace pagora
