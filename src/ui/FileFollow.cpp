// The main window follows the opened file: a build that rewrites it has the window read it again,
// and a file dropped onto the window is opened as the open dialog would open it.
#include "Messages.h"
#include "TFileWatch.h"
#include "THexGridView.h"
#include "TMainFrm.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <exception>

namespace pagora {

namespace {

// How often a reload that waits for a modal dialog or message box looks again.
constexpr int kModalRetryMilliseconds = 100;

bool ModalOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

// The first local file among the urls; empty when there is none.
QString FirstLocalFile(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            return url.toLocalFile();
        }
    }
    return {};
}

} // namespace

void TMainFrm::CreateFileWatch() {
    FFileWatch = new TFileWatch(this);
    reloadGiveUp_ = new QTimer(this);
    reloadGiveUp_->setSingleShot(true);
    connect(FFileWatch, &TFileWatch::Settled, this, [this] { ReloadWatchedFile(); });
    connect(FFileWatch, &TFileWatch::Changed, this, [this] {
        reloadErrorShown_ = false; // a new change may be reported once more
        reloadGiveUp_->start(FReloadGiveUpMs);
    });
    connect(reloadGiveUp_, &QTimer::timeout, this, [this] { ReportUnreadableReload(); });
}

void TMainFrm::ReloadWatchedFile() {
    const QString path = FFileWatch->Path();
    if (path.isEmpty()) {
        return;
    }
    if (ModalOpen()) {
        // Nothing changes under a dialog or a message box: try again once it is closed.
        QTimer::singleShot(kModalRetryMilliseconds, this, SLOT(ReloadWatchedFile()));
        return;
    }
    // Where the user was: the grid's top row, selected row and focused column, the page map's
    // scroll position.
    const int gridTop = VirtualStringTree1->verticalScrollBar()->value();
    const int selected = VirtualStringTree1->SelectedRow();
    const int column = VirtualStringTree1->currentIndex().column();
    const int mapTop = ScrollBox1->verticalScrollBar()->value();
    try {
        ReadHexFile(path);
    } catch (const std::exception& error) {
        reloadError_ = QString::fromUtf8(error.what()); // a half-written file: wait for more
        return;
    }
    reloadError_.clear();
    reloadGiveUp_->stop();
    RunGuarded(this, [&] {
        VirtualStringTree1->SetRowCount(static_cast<int>(FHexContainer->Count()));
        cbb_MCChange();
    });
    if (selected >= 0 && selected < VirtualStringTree1->RowCount()) {
        VirtualStringTree1->FocusRow(selected);
        VirtualStringTree1->SelectRow(selected);
    }
    if (column >= 0) {
        VirtualStringTree1->FocusColumn(column);
    }
    VirtualStringTree1->verticalScrollBar()->setValue(gridTop);
    ScrollBox1->verticalScrollBar()->setValue(mapTop);
}

void TMainFrm::ReportUnreadableReload() {
    if (reloadError_.isEmpty() || reloadErrorShown_) {
        return;
    }
    if (ModalOpen()) {
        reloadGiveUp_->start(kModalRetryMilliseconds);
        return;
    }
    reloadErrorShown_ = true;
    ShowErrorBox(this, reloadError_);
}

void TMainFrm::OpenDroppedUrls(const QList<QUrl>& urls) {
    const QString file = FirstLocalFile(urls);
    if (!file.isEmpty()) {
        RunGuarded(this, [&] { FileOpen1Accept(file); });
    }
}

void TMainFrm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !FirstLocalFile(event->mimeData()->urls()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TMainFrm::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        return;
    }
    event->acceptProposedAction();
    OpenDroppedUrls(event->mimeData()->urls());
}

} // namespace pagora
