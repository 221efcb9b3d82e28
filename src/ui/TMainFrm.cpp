// The main window's shell: controls, actions, docking, the resize and splitter limits, the
// page map's size, the mouse wheel over the page map and the geometry kept between runs.
#include "TMainFrm.h"

#include "Controls.h"
#include "Globals.h"
#include "GotoAddress.h"
#include "HintTiming.h"
#include "Messages.h"
#include "TAboutDlg.h"
#include "TGotoAdressFrm.h"
#include "THexGridModel.h"
#include "THexGridView.h"
#include "THintWindow.h"
#include "TOptionenFrm.h"
#include "TPageMap.h"
#include "TSplitterBar.h"
#include "TUsageBar.h"
#include "devices/ControllerList.h"
#include "settings/Settings.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

namespace pagora {

namespace {

// Width of the bars and distance of the percentage labels from the right edge, as designed
// for a client width of 850.
constexpr int kBarLeft = 129;
constexpr int kBarRightGap = layout::kClientWidth - kBarLeft - 669;
constexpr int kPercentRightGap = layout::kClientWidth - 806;

} // namespace

TMainFrm::TMainFrm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(ApplicationTitle());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAcceptDrops(true);
    CreateActions();
    CreateControls();
    CreateFileWatch();
    FormCreate();
}

TMainFrm::~TMainFrm() {
    if (PageList != nullptr) {
        delete PageList;
        PageList = nullptr;
    }
}

void TMainFrm::CreateActions() {
    FileOpen1 = new QAction(QStringLiteral("Ö&ffnen..."), this);
    FileOpen1->setObjectName(QStringLiteral("FileOpen1"));
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileOpen1->setToolTip(QStringLiteral("Öffnen"));
    FileOpen1->setStatusTip(QStringLiteral("Vorhandene Datei öffnen"));
    connect(FileOpen1, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { FileOpen1Execute(); }); });

    acClose = new QAction(QStringLiteral("&Beenden"), this);
    acClose->setObjectName(QStringLiteral("acClose"));
    acClose->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(acClose, &QAction::triggered, this, [this] { acCloseExecute(); });

    acOption = new QAction(QStringLiteral("&Optionen"), this);
    acOption->setObjectName(QStringLiteral("acOption"));
    connect(acOption, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { acOptionExecute(); }); });

    acGotoAdress = new QAction(QStringLiteral("Springe an Adresse"), this);
    acGotoAdress->setObjectName(QStringLiteral("acGotoAdress"));
    acGotoAdress->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_G), QKeySequence(Qt::CTRL | Qt::Key_F)});
    connect(acGotoAdress, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { acGotoAdressExecute(acGotoAdress); }); });
    addAction(acGotoAdress); // reached by its shortcuts and the context menu only

    acAbout = new QAction(QStringLiteral("Ü&ber..."), this);
    acAbout->setObjectName(QStringLiteral("acAbout"));
    connect(acAbout, &QAction::triggered, this,
            [this] { RunGuarded(this, [this] { acAboutExecute(); }); });
}

void TMainFrm::CreateControls() {
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    setMinimumSize(300, 300);

    CreateMenuRow();
    PopupActionBar1 = new QMenu(this);
    PopupActionBar1->setObjectName(QStringLiteral("PopupActionBar1"));
    PopupActionBar1->addAction(acGotoAdress);
    connect(PopupActionBar1, &QMenu::aboutToShow, this, [this] { PopupActionBar1Popup(); });
    CreateGrid();
    CreatePageMap();
    CreateStatusPanel();
    HandOverShownState();

    // The chooser and its texts stand in the row of the menu bar, right of the menus.
    txt1->raise();
    cbb_MC->raise();
    txt2->raise();
}

void TMainFrm::CreateMenuRow() {
    ActionMainMenuBar1 = new QMenuBar(this);
    ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    ActionMainMenuBar1->setNativeMenuBar(false);
    ActionMainMenuBar1->setFont(QFont(QStringLiteral("Segoe UI"), 9));
    ActionMainMenuBar1->setStyleSheet(
        QStringLiteral("QMenuBar::item:selected { background: white; color: black; }"));
    QMenu* file = ActionMainMenuBar1->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("menuDatei"));
    file->addAction(FileOpen1);
    file->addSeparator();
    file->addAction(acClose);
    ActionMainMenuBar1->addAction(acOption);
    ActionMainMenuBar1->addAction(acAbout);

    txt1 = MakeLabel(this, "txt1", QStringLiteral("Controller:"), 268, 6);
    cbb_MC = new QComboBox(this);
    cbb_MC->setObjectName(QStringLiteral("cbb_MC"));
    cbb_MC->setEditable(false);
    cbb_MC->setGeometry(324, 2, 145, 21);
    connect(cbb_MC, &QComboBox::currentIndexChanged, this,
            [this] { RunGuarded(this, [this] { cbb_MCChange(); }); });
    txt2 = MakeLabel(this, "txt2", QString(), 484, 6);
}

void TMainFrm::CreateGrid() {
    VirtualStringTree1 = new THexGridView(this);
    VirtualStringTree1->setObjectName(QStringLiteral("VirtualStringTree1"));
    VirtualStringTree1->Model().SetStore(nullptr);
    VirtualStringTree1->SetContextMenu(PopupActionBar1);
    // The jump and its shortcuts work, and the page map and the bars draw, exactly while the
    // grid has rows.
    const THexGridModel* rows = &VirtualStringTree1->Model();
    connect(rows, &QAbstractItemModel::rowsInserted, this, [this] { RowsChanged(); });
    connect(rows, &QAbstractItemModel::rowsRemoved, this, [this] { RowsChanged(); });
    connect(rows, &QAbstractItemModel::modelReset, this, [this] { RowsChanged(); });
    EnableJump();

    spl1 = new TSplitterBar(this);
    spl1->setObjectName(QStringLiteral("spl1"));
    spl1->SetExtentSource([this] { return gridExtent_; });
    connect(spl1, &TSplitterBar::Proposed, this, [this](int n) {
        if (spl1CanResize(n)) {
            SetGridExtent(n);
        }
    });
    connect(spl1, &TSplitterBar::Moved, this,
            [this] { RunGuarded(this, [this] { spl1Moved(); }); });
}

void TMainFrm::CreatePageMap() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    ScrollBox1 = new QScrollArea(Panel1);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette white = ScrollBox1->palette();
    white.setColor(QPalette::Window, Qt::white);
    ScrollBox1->setPalette(white);
    ScrollBox1->viewport()->setPalette(white);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    pb1 = new TPageMap();
    pb1->setObjectName(QStringLiteral("pb1"));
    ScrollBox1->setWidget(pb1);
    ScrollBox1->viewport()->installEventFilter(this);
    ScrollBox1->installEventFilter(this);
    pb1->installEventFilter(this);
    pb1->SetContextMenu(PopupActionBar1);
    connect(pb1, &TPageMap::jumpAddressChanged, this,
            [this](const QString& address) { FJumpAddress = address; });
    connect(pb1, &TPageMap::jumpRequested, this,
            [this] { RunGuarded(this, [this] { acGotoAdressExecute(pb1); }); });
}

void TMainFrm::CreateStatusPanel() {
    pnlStatus = new QWidget(this);
    pnlStatus->setObjectName(QStringLiteral("pnlStatus"));
    Label2 = MakeLabel(pnlStatus, "Label2", QStringLiteral("Pages Benutzt:"), 8, 6);
    Label1 = MakeLabel(pnlStatus, "Label1", QStringLiteral("Flash-Speicher Benutzt:"), 8, 23);
    Label3 = MakeLabel(pnlStatus, "Label3", QStringLiteral("%"), 806, 6);
    Label4 = MakeLabel(pnlStatus, "Label4", QStringLiteral("%"), 806, 23);
    Label3->hide();
    Label4->hide();
    PaintBox1 = new TUsageBar(TUsageBar::Kind::Pages, pnlStatus);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(kBarLeft, 6, 669, 13);
    PaintBox1->SetLabel(Label3);
    pbPageStatus = new TUsageBar(TUsageBar::Kind::Bytes, pnlStatus);
    pbPageStatus->setObjectName(QStringLiteral("pbPageStatus"));
    pbPageStatus->setGeometry(kBarLeft, 23, 669, 13);
    pbPageStatus->SetLabel(Label4);
    pb1->SetBars(PaintBox1, pbPageStatus);
}

void TMainFrm::FormCreate() {
    RunGuarded(this, [this] {
        TOptionenFrm::RegisterProgramPath(QCoreApplication::applicationFilePath().toStdString());
    });
    FController = nullptr;
    FHintWindow = new THintWindow(this);
    pb1->SetHintWindow(FHintWindow);
    FHexContainer = std::make_unique<THexContainer>();
    VirtualStringTree1->Model().SetStore(FHexContainer.get());
    delete PageList;
    PageList = new TPageList();
    DataDoesNotFit = false;
    FSavedHintHidePause = HintTiming::HidePause();
    FSavedHintPause = HintTiming::Pause();
    pb1->SetSavedHintTiming(FSavedHintHidePause, FSavedHintPause);

    cbb_MC->blockSignals(true);
    for (const TMikrocontroller& controller : ControllerList()) {
        cbb_MC->addItem(QString::fromStdString(controller.ControllerName()));
    }
    cbb_MC->setCurrentIndex(-1);
    cbb_MC->blockSignals(false);

    FBlockSize = layout::BlockSizeFromText(QString::fromStdString(TOptionenFrm::ReadBlockSize()));
    FArrangement = TOptionenFrm::ReadArrangement();
    ApplyArrangement();

    const std::int32_t width = TOptionenFrm::ReadIntSetting("Width");
    const std::int32_t height = TOptionenFrm::ReadIntSetting("Height");
    pendingOuterWidth_ = width != NoValue ? width : 0;
    pendingOuterHeight_ = height != NoValue ? height : 0;
    resize(std::max(pendingOuterWidth_ > 0 ? pendingOuterWidth_ : layout::kClientWidth, 300),
           std::max(pendingOuterHeight_ > 0 ? pendingOuterHeight_ : layout::kClientHeight, 300));
    const char* extentName = FArrangement == layout::kRight ? "SplitterLeft" : "SplitterTop";
    const std::int32_t extent = TOptionenFrm::ReadIntSetting(extentName);
    if (extent != NoValue) {
        gridExtent_ = extent;
    }

    // Centred on the screen with its restored size; the position itself is never stored.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(this->width() / 2, this->height() / 2));
    }
    created_ = true;
    LayoutControls();
}

void TMainFrm::SetGridExtent(int extent) {
    gridExtent_ = std::max(extent, 0);
    LayoutControls();
}

void TMainFrm::LayoutControls() {
    const layout::Docking d = layout::Dock(width(), height(), FArrangement, gridExtent_);
    ActionMainMenuBar1->setGeometry(d.menuBar);
    VirtualStringTree1->setGeometry(d.grid);
    spl1->setGeometry(d.splitter);
    Panel1->setGeometry(d.panel);
    pnlStatus->setGeometry(d.status);
    // The scroll box leaves 3 pixels free at its top and 1 at the other sides of Panel1.
    ScrollBox1->setGeometry(1, 3, std::max(d.panel.width() - 2, 0),
                            std::max(d.panel.height() - 4, 0));
    const int barWidth = std::max(d.status.width() - kBarLeft - kBarRightGap, 0);
    PaintBox1->setGeometry(kBarLeft, 6, barWidth, 13);
    pbPageStatus->setGeometry(kBarLeft, 23, barWidth, 13);
    Label3->move(d.status.width() - kPercentRightGap, 6);
    Label4->move(d.status.width() - kPercentRightGap, 23);
    // The page map spans the scroll box's client width.
    pb1->resize(ScrollBoxClientSize().width(), pb1->height());
}

void TMainFrm::ApplyArrangement() {
    if (FArrangement != layout::kRight && FArrangement != layout::kBelow) {
        return;
    }
    spl1->SetVertical(FArrangement == layout::kBelow);
    LayoutControls();
}

QSize TMainFrm::ScrollBoxClientSize() const {
    // Worked out from the scroll box's own size, since its viewport follows only once the
    // box has handled its resize.
    QSize client = ScrollBox1->maximumViewportSize();
    if (pb1->height() > client.height()) {
        client.rwidth() -= ScrollBox1->verticalScrollBar()->sizeHint().width();
    }
    return client.expandedTo(QSize(0, 0));
}

void TMainFrm::SizePageMap() {
    if (!created_) {
        return; // a size notification while the window is still being built
    }
    const int pages = PageList != nullptr ? static_cast<int>(PageList->Count()) : 0;
    const layout::PageMapGeometry map =
        layout::FitPageMap(ScrollBox1->maximumViewportSize(),
                           ScrollBox1->verticalScrollBar()->sizeHint().width(), pages, FBlockSize);
    FCellsPerRow = map.cellsPerRow;
    pb1->resize(map.width, map.height);
    pb1->SetBlockSize(FBlockSize);
    pb1->SetCellsPerRow(FCellsPerRow);
    pb1->update();
}

void TMainFrm::FormResize() {
    if (!created_) {
        return;
    }
    const int arrangement = TOptionenFrm::ReadArrangement();
    const layout::Docking d = layout::Dock(width(), height(), FArrangement, gridExtent_);
    SetGridExtent(layout::ResizeLimitedExtent(d, width(), arrangement, gridExtent_));
    SizePageMap();
}

bool TMainFrm::spl1CanResize(int newExtent) {
    const layout::Docking d = layout::Dock(width(), height(), FArrangement, gridExtent_);
    return layout::SplitterAccepts(newExtent, d.status.top(), width(),
                                   TOptionenFrm::ReadArrangement());
}

void TMainFrm::spl1Moved() {
    SizePageMap();
}

void TMainFrm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!created_) {
        return;
    }
    LayoutControls();
    RunGuarded(this, [this] { FormResize(); });
}

void TMainFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pendingOuterWidth_ > 0 || pendingOuterHeight_ > 0) {
        // The stored size is the outer one; once the frame is known, take it off.
        QTimer::singleShot(0, this, SLOT(ApplyStoredOuterSize()));
    }
}

void TMainFrm::ApplyStoredOuterSize() {
    const QSize frame = frameGeometry().size() - size();
    const int w = pendingOuterWidth_ > 0 ? pendingOuterWidth_ - frame.width() : width();
    const int h = pendingOuterHeight_ > 0 ? pendingOuterHeight_ - frame.height() : height();
    pendingOuterWidth_ = pendingOuterHeight_ = 0;
    resize(std::max(w, 1), std::max(h, 1));
}

void TMainFrm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept(); // closing cannot be cancelled
}

void TMainFrm::FormClose() {
    const QSize outer = frameGeometry().size();
    RunGuarded(this, [&] {
        TOptionenFrm::WriteIntSetting("Width", outer.width());
        TOptionenFrm::WriteIntSetting("Height", outer.height());
        if (FArrangement == layout::kRight) {
            TOptionenFrm::WriteIntSetting("SplitterLeft", gridExtent_);
        } else if (FArrangement == layout::kBelow) {
            TOptionenFrm::WriteIntSetting("SplitterTop", gridExtent_);
        }
    });
    if (FHintWindow != nullptr) {
        FHintWindow->hide();
    }
    pb1->SetCanDraw(false);
    delete PageList;
    PageList = nullptr;
}

bool TMainFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel &&
        (watched == ScrollBox1 || watched == ScrollBox1->viewport() || watched == pb1)) {
        // The wheel over the page map scrolls it, whichever control has the focus: a notch
        // away from the user (120) scrolls 120 pixels up.
        auto* wheel = static_cast<QWheelEvent*>(event);
        QScrollBar* bar = ScrollBox1->verticalScrollBar();
        bar->setValue(bar->value() - wheel->angleDelta().y());
        wheel->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMainFrm::wheelEvent(QWheelEvent* event) {
    FormMouseWheel(*event);
}

void TMainFrm::FormMouseWheel(QWheelEvent& wheel) {
    // A wheel turn that no control under the pointer took (over the status panel, the menu
    // bar, a label, the splitter) goes to the focused control, which scrolls itself.
    QWidget* focused = focusWidget();
    if (focused == nullptr || focused == this) {
        QWidget::wheelEvent(&wheel);
        return;
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(focused)) {
        focused = area->viewport(); // a scroll area takes the wheel on its viewport
    }
    const QPointF global = wheel.globalPosition();
    QWheelEvent forwarded(focused->mapFromGlobal(global), global, wheel.pixelDelta(),
                          wheel.angleDelta(), wheel.buttons(), wheel.modifiers(), wheel.phase(),
                          wheel.inverted(), wheel.source());
    // Sent, not spontaneous: a turn the focused control leaves is not passed to its parents.
    QCoreApplication::sendEvent(focused, &forwarded);
    wheel.setAccepted(forwarded.isAccepted());
}

void TMainFrm::PopupActionBar1Popup() {
    EnableJump();
}

void TMainFrm::RowsChanged() {
    EnableJump();
    HandOverShownState();
}

void TMainFrm::HandOverShownState() {
    const bool shown = VirtualStringTree1->RowCount() > 0 && cbb_MC->currentIndex() >= 0;
    pb1->SetCanDraw(shown);
    const bool measured = VirtualStringTree1->RowCount() > 0 && FController != nullptr;
    for (TUsageBar* bar : {PaintBox1, pbPageStatus}) {
        bar->SetFlashSize(measured ? std::optional(FController->FlashSize()) : std::nullopt);
    }
}

void TMainFrm::EnableJump() {
    acGotoAdress->setEnabled(VirtualStringTree1->RowCount() > 0);
}

void TMainFrm::acGotoAdressExecute(QObject* sender) {
    const QString text =
        sender == pb1 ? FJumpAddress : TGotoAdressFrm::AskAddress(FJumpAddress, this);
    FJumpAddress.clear();
    if (text == QStringLiteral("-1")) {
        return;
    }
    GotoAddress(*VirtualStringTree1, text, this);
}

void TMainFrm::acOptionExecute() {
    TOptionenFrm::ShowOptions(this);
    FBlockSize = layout::BlockSizeFromText(QString::fromStdString(TOptionenFrm::ReadBlockSize()));
    FArrangement = TOptionenFrm::ReadArrangement();
    ApplyArrangement();
    FormResize();
    SizePageMap();
}

void TMainFrm::acCloseExecute() {
    close();
}

void TMainFrm::acAboutExecute() {
    TAboutDlg::ShowAbout(this);
}

} // namespace pagora
