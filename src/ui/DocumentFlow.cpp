// The main window's document flow: opening a file and choosing a controller.
#include "Globals.h"
#include "Messages.h"
#include "TFileWatch.h"
#include "THexGridModel.h"
#include "THexGridView.h"
#include "TMainFrm.h"
#include "TPageMap.h"
#include "devices/ControllerList.h"
#include "pages/MemoryLayout.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>

namespace pagora {

namespace {

// The hourglass for as long as it lives, also when the read fails.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

std::unique_ptr<QFileDialog> TMainFrm::CreateOpenDialog() {
    auto dialog = std::make_unique<QFileDialog>(this, QStringLiteral("Datei öffnen ..."));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilters({QStringLiteral("Flash-Datei (*.hex)"),
                            QStringLiteral("Eeprom-Datei (*.eep)"),
                            QStringLiteral("Alle Dateien (*.*)")});
    dialog->selectNameFilter(QStringLiteral("Flash-Datei (*.hex)"));
    dialog->setDefaultSuffix(QStringLiteral("hex"));
    return dialog;
}

void TMainFrm::FileOpen1BeforeExecute(QFileDialog& dialog) {
    dialog.setDirectory(QCoreApplication::applicationDirPath());
}

void TMainFrm::FileOpen1Execute() {
    std::unique_ptr<QFileDialog> dialog = CreateOpenDialog();
    FileOpen1BeforeExecute(*dialog);
    if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
        FileOpen1Accept(dialog->selectedFiles().first());
    }
}

void TMainFrm::ReadHexFile(const QString& fileName) {
    // A file that fails to read leaves the store, the grid and the pages as they were.
    const WaitCursor wait;
    FHexContainer->LoadFromHexFile(QFile::encodeName(fileName).toStdString());
}

void TMainFrm::FileOpen1Accept(const QString& fileName) {
    ReadHexFile(fileName);
    // From now on a rebuilt file is read again; the watch on the file before ends.
    FFileWatch->Watch(fileName);
    reloadError_.clear();
    VirtualStringTree1->SetRowCount(static_cast<int>(FHexContainer->Count()));
    cbb_MCChange();
}

void TMainFrm::cbb_MCChange() {
    const QString name = cbb_MC->currentIndex() >= 0 ? cbb_MC->currentText() : QString();
    FController = ControllerList().FindByName(name.toStdString());
    VirtualStringTree1->Model().SetController(FController);
    HandOverShownState();
    if (FController != nullptr) {
        const std::int32_t flashSize = FController->FlashSize();
        const std::int32_t pageSize = FController->FlashPageSize();
        const bool fits = LayOntoMemory(*FHexContainer, *PageList, flashSize, pageSize);
        SizePageMap(); // the page map's row measure and height for the new pages
        txt2->setText(QStringLiteral("FlashSize: %1, PageSize: %2")
                          .arg(static_cast<qint64>(flashSize) + 1)
                          .arg(pageSize));
        txt2->adjustSize();
        VirtualStringTree1->SetRowCount(static_cast<int>(FHexContainer->Count()));
        DataDoesNotFit = !fits;
        VirtualStringTree1->viewport()->update();
        pb1->update();
        if (!fits) {
            // The map and the bars turn red before the message says why, so the window never
            // shows the last image's picture behind it: the window paints now, outside any
            // paint event, before the box shows.
            repaint();
            ShowHeadedMessage(this, QMessageBox::Critical, QStringLiteral("Fehler"),
                              QStringLiteral("Fehler"),
                              QStringLiteral("Das ausgewählte Hex-File pass nicht in den "
                                             "Controller!\r\nBitte verwednen Sie einen anderen!"));
        }
    }
    if (VirtualStringTree1->isEnabled() && VirtualStringTree1->isVisible()) {
        VirtualStringTree1->setFocus();
    }
}

} // namespace pagora
