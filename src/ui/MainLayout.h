#pragma once

#include <QRect>

namespace pagora::layout {

// Where the page map stands.
inline constexpr int kRight = 0; // right of the grid ("Rechts")
inline constexpr int kBelow = 1; // below the grid ("Unten")

inline constexpr int kMenuBarHeight = 26;
inline constexpr int kStatusHeight = 41;
inline constexpr int kSplitterThickness = 3;
inline constexpr int kDesignedGridExtent = 500;
inline constexpr int kClientWidth = 850;
inline constexpr int kClientHeight = 665;

// The docked controls of the main window for a client size, an arrangement and the grid's
// extent (its height below the menu bar, or its width on the left).
struct Docking {
    QRect menuBar;
    QRect grid;
    QRect splitter;
    QRect panel; // Panel1: what is left between splitter and status panel
    QRect status;
};
Docking Dock(int clientWidth, int clientHeight, int arrangement, int gridExtent);

// The grid extent after the window's size changed: kept off the page map's last 120 pixels
// and at least 120 pixels itself.
int ResizeLimitedExtent(const Docking& docked, int clientWidth, int arrangement, int gridExtent);

// Whether a splitter drag may give the grid the extent n.
bool SplitterAccepts(int n, int statusTop, int clientWidth, int arrangement);

// The page map's row measure: (width - 50) div blockSize; 0 without a usable block size.
int CellsPerRow(int pageMapWidth, int blockSize);

// The page map's height for its row measure and page count. One square a row (cellsPerRow 1)
// takes the visible height; a row measure of 0 or less puts every square on a row of its own.
int PageMapHeight(int cellsPerRow, int pageCount, int blockSize, int visibleHeight);

// The block size in pixels from the stored text: a positive decimal number, 25 otherwise.
int BlockSizeFromText(const QString& text);

} // namespace pagora::layout
