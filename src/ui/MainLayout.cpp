#include "MainLayout.h"

#include <QString>
#include <algorithm>

namespace pagora::layout {

Docking Dock(int clientWidth, int clientHeight, int arrangement, int gridExtent) {
    Docking d;
    d.arrangement = arrangement == kRight ? kRight : kBelow;
    const int width = std::max(clientWidth, 0);
    const int height = std::max(clientHeight, 0);
    const int extent = std::max(gridExtent, 0);
    d.menuBar = QRect(0, 0, width, kMenuBarHeight);
    d.status = QRect(0, std::max(height - kStatusHeight, kMenuBarHeight), width, kStatusHeight);
    const int bandTop = kMenuBarHeight;
    const int bandBottom = d.status.top(); // exclusive
    if (arrangement == kRight) {
        const int bandHeight = std::max(bandBottom - bandTop, 0);
        d.grid = QRect(0, bandTop, extent, bandHeight);
        d.splitter = QRect(extent, bandTop, kSplitterThickness, bandHeight);
        const int left = extent + kSplitterThickness;
        d.panel = QRect(left, bandTop, std::max(width - left, 0), bandHeight);
    } else {
        d.grid = QRect(0, bandTop, width, extent);
        d.splitter = QRect(0, bandTop + extent, width, kSplitterThickness);
        const int top = bandTop + extent + kSplitterThickness;
        d.panel = QRect(0, top, width, std::max(bandBottom - top, 0));
    }
    return d;
}

int ResizeLimitedExtent(const Docking& docked, int clientWidth, int arrangement, int gridExtent) {
    if (arrangement != docked.arrangement) {
        return gridExtent;
    }
    if (arrangement == kBelow) {
        const int limit = docked.status.top() - 120;
        if (limit < docked.splitter.top()) {
            return std::max(limit, 0);
        }
        if (docked.splitter.top() < 120) {
            return 120;
        }
        return gridExtent;
    }
    const int limit = clientWidth - 120;
    if (limit < gridExtent) {
        return std::max(limit, 0);
    }
    if (gridExtent < 120) {
        return 120;
    }
    return gridExtent;
}

bool SplitterAccepts(int n, int statusTop, int clientWidth, int arrangement) {
    const bool inside = arrangement == kBelow ? n < statusTop - 120 : n < clientWidth - 120;
    return inside && n > 150;
}

int CellsPerRow(int pageMapWidth, int blockSize) {
    if (blockSize <= 0) {
        return 0;
    }
    return (pageMapWidth - 50) / blockSize; // truncates toward zero, as the row rule wants
}

int PageMapHeight(int cellsPerRow, int pageCount, int blockSize, int visibleHeight) {
    const int block = std::max(blockSize, 1);
    const int pages = std::max(pageCount, 0);
    if (cellsPerRow == 1) {
        const int rows = (pages + 1) / 2;
        return std::max(std::max(visibleHeight, 0), rows * block + 10);
    }
    if (cellsPerRow <= 0) {
        return std::max(pages, 1) * block + 10;
    }
    return (pages / (cellsPerRow - 1)) * block + block + 10;
}

PageMapGeometry FitPageMap(QSize box, int scrollBarWidth, int pageCount, int blockSize) {
    const int visible = std::max(box.height(), 0);
    PageMapGeometry map;
    map.width = std::max(box.width(), 0);
    map.cellsPerRow = CellsPerRow(map.width, blockSize);
    map.height = PageMapHeight(map.cellsPerRow, pageCount, blockSize, visible);
    if (map.height <= visible) {
        return map; // no scroll bar
    }
    map.width = std::max(box.width() - std::max(scrollBarWidth, 0), 0);
    map.cellsPerRow = CellsPerRow(map.width, blockSize);
    map.height = PageMapHeight(map.cellsPerRow, pageCount, blockSize, visible);
    return map;
}

int BlockSizeFromText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? value : 25;
}

} // namespace pagora::layout
