#pragma once

#include "MainLayout.h"
#include "image/THexContainer.h"

#include <QString>
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

namespace pagora {

class TMikrocontroller;
class THexGridView;
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
    void cbb_MCChange();
    // The open dialog as the action shows it.
    std::unique_ptr<QFileDialog> CreateOpenDialog();

    // Commands. The page map passes itself as sender to jump without a dialog.
    void acGotoAdressExecute(QObject* sender);
    void acOptionExecute();
    void acAboutExecute();
    void PopupActionBar1Popup();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateControls();
    void CreateActions();
    void FormCreate();
    void FormClose();
    void LayoutControls();
    void FileOpen1Execute();
    QSize ScrollBoxClientSize() const;
    void EnableJump();

    bool created_ = false; // FormCreate has run: layout rules may use FBlockSize
    int gridExtent_ = layout::kDesignedGridExtent;
    int pendingOuterWidth_ = 0; // stored outer size, applied once the frame is known
    int pendingOuterHeight_ = 0;
};

} // namespace pagora
