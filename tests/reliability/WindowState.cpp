#include "WindowState.h"

#include "ui/Globals.h"
#include "ui/THexGridView.h"
#include "ui/TPageMap.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <fstream>
#include <unistd.h>

namespace pagora::reliability {

ShownPages PagesShown(const TMainFrm& window) {
    ShownPages shown;
    shown.rows = window.VirtualStringTree1->RowCount();
    shown.flashText = window.txt2->text();
    shown.doesNotFit = DataDoesNotFit;
    shown.hasPageList = PageList != nullptr;
    if (PageList == nullptr) {
        return shown;
    }
    shown.pageSize = PageList->PageSize;
    shown.lastPage = PageList->PageCount;
    shown.pages.reserve(PageList->Count());
    for (const TPage& page : *PageList) {
        std::string text;
        text.reserve(page.Bytes.size() * 2 + 32);
        for (const TByteText& byte : page.Bytes) {
            text += byte.View();
        }
        text += '@' + std::to_string(page.Rect.Left) + ',' + std::to_string(page.Rect.Top) + ',' +
                std::to_string(page.Rect.Right) + ',' + std::to_string(page.Rect.Bottom);
        shown.pages.push_back(std::move(text));
    }
    return shown;
}

void Settle(TMainFrm& window) {
    QCoreApplication::processEvents();
    QImage image(window.pb1->size(), QImage::Format_RGB32);
    window.pb1->render(&image);
}

void Choose(TMainFrm& window, const QString& controller) {
    const int index = window.cbb_MC->findText(controller);
    if (index < 0) {
        qFatal("no controller %s in the chooser", qPrintable(controller));
    }
    window.cbb_MC->setCurrentIndex(index);
}

std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t total = 0;
    std::size_t resident = 0;
    statm >> total >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

} // namespace pagora::reliability
