#pragma once

#include "MainLayout.h"
#include "image/THexContainer.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <memory>

class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTimer;

namespace pagora {

class TMikrocontroller;
class THexGridView;
class TFileWatch;
class THintWindow;
class TPageMap;
class TSplitterBar;
class TUsageBar;

// The main window: menus and actions, the controller chooser, the hex grid, the page map with
// its usage bars, and the document flow that runs when a file is opened or a controller chosen.
class TMainFrm : public QWidget {
    Q_OBJECT
public:
    explicit TMainFrm(QWidget* parent = nullptr);
    ~TMainFrm() override;

    // State of the window.
    QString FJumpAddress;
    std::unique_ptr<THexContainer> FHexContainer;
    int FSavedHintHidePause = 0;
    int FSavedHintPause = 0;
    THintWindow* FHintWindow = nullptr;
    int FBlockSize = 25;
    std::uint8_t FArrangement = layout::kBelow;
    const TMikrocontroller* FController = nullptr;
    int FCellsPerRow = 0;

    // Controls.
    QMenuBar* ActionMainMenuBar1 = nullptr;
    QLabel* txt1 = nullptr;
    QComboBox* cbb_MC = nullptr;
    QLabel* txt2 = nullptr;
    THexGridView* VirtualStringTree1 = nullptr;
    TSplitterBar* spl1 = nullptr;
    QWidget* Panel1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TPageMap* pb1 = nullptr;
    QWidget* pnlStatus = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    TUsageBar* PaintBox1 = nullptr;
    TUsageBar* pbPageStatus = nullptr;
    QMenu* PopupActionBar1 = nullptr;

    // Actions.
    QAction* FileOpen1 = nullptr;
    QAction* acClose = nullptr;
    QAction* acOption = nullptr;
    QAction* acGotoAdress = nullptr;
    QAction* acAbout = nullptr;

    // The grid's extent: its height with the page map below, its width with it on the right.
    int GridExtent() const { return gridExtent_; }
    void SetGridExtent(int extent);

    void ApplyArrangement();
    void SizePageMap();
    void FormResize();
    bool spl1CanResize(int newExtent);
    void spl1Moved();

    // The document flow.
    void FileOpen1BeforeExecute(QFileDialog& dialog);
    void FileOpen1Accept(const QString& fileName);
    // Reads the file into the store under the hourglass; raises the reader's errors.
    void ReadHexFile(const QString& fileName);
    void cbb_MCChange();
    // The open dialog as the action shows it.
    std::unique_ptr<QFileDialog> CreateOpenDialog();

    // Commands. The page map passes itself as sender to jump without a dialog.
    void acGotoAdressExecute(QObject* sender);
    void acOptionExecute();
    void acAboutExecute();
    void acCloseExecute();
    // A wheel turn no control under the pointer took goes to the focused control.
    void FormMouseWheel(QWheelEvent& wheel);
    void PopupActionBar1Popup();

    // Following the opened file: once a build has rewritten it and it has been quiet for a
    // moment, it is read again as an accepted open reads it, keeping the grid's and the page
    // map's positions. A read that fails keeps the shown image; a file still unreadable
    // FReloadGiveUpMs after its last change is reported once in the standard error box.
    TFileWatch* FFileWatch = nullptr;
    int FReloadGiveUpMs = 2000;
    Q_SLOT void ReloadWatchedFile();
    // Opens a dropped file as if it had been chosen in the open dialog: the first local file.
    void OpenDroppedUrls(const QList<QUrl>& urls);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateFileWatch();
    Q_SLOT void ApplyStoredOuterSize();
    void ReportUnreadableReload();
    void CreateControls();
    // The parts of CreateControls: the menu bar with the controller chooser, the grid with
    // the splitter, the page map in its scroll box, and the status panel with the bars.
    void CreateMenuRow();
    void CreateGrid();
    void CreatePageMap();
    void CreateStatusPanel();
    void CreateActions();
    void FormCreate();
    void FormClose();
    void LayoutControls();
    void FileOpen1Execute();
    QSize ScrollBoxClientSize() const;
    void EnableJump();
    void RowsChanged();
    // Hands the page map and the usage bars whether there is anything to draw and the chosen
    // flash: the grid has rows and a controller is chosen.
    void HandOverShownState();

    QTimer* reloadGiveUp_ = nullptr; // runs from the last change of the watched file
    QString reloadError_;            // why the last reload failed; empty after one that read
    bool reloadErrorShown_ = false;
    bool created_ = false; // FormCreate has run: layout rules may use FBlockSize
    int gridExtent_ = layout::kDesignedGridExtent;
    int pendingOuterWidth_ = 0; // stored outer size, applied once the frame is known
    int pendingOuterHeight_ = 0;
};

} // namespace pagora
