#pragma once

#include <QRect>
#include <QSize>

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
    int arrangement = kBelow; // as docked: kRight, or kBelow for every other value
    QRect menuBar;
    QRect grid;
    QRect splitter;
    QRect panel; // Panel1: what is left between splitter and status panel
    QRect status;
};
Docking Dock(int clientWidth, int clientHeight, int arrangement, int gridExtent);

// The grid extent after the window's size changed: kept off the page map's last 120 pixels
// and at least 120 pixels itself. `arrangement` is the one whose rule applies (the stored one);
// another instance may have stored the other arrangement, whose rule limits the grid's other
// dimension. That one the docking fixes, so the extent stays.
int ResizeLimitedExtent(const Docking& docked, int clientWidth, int arrangement, int gridExtent);

// Whether a splitter drag may give the grid the extent n.
bool SplitterAccepts(int n, int statusTop, int clientWidth, int arrangement);

// The page map's row measure: (width - 50) div blockSize; 0 without a usable block size.
int CellsPerRow(int pageMapWidth, int blockSize);

// The page map's height for its row measure and page count. The map draws cellsPerRow + 1
// squares a row (one when the measure is 0 or less). A measure of 1 takes the visible height,
// or more where its two squares a row need more, so that every square can be scrolled to.
int PageMapHeight(int cellsPerRow, int pageCount, int blockSize, int visibleHeight);

// The page map's size and row measure in a scroll box whose client area is `box` without a
// scroll bar, and `scrollBarWidth` narrower while its vertical scroll bar shows (when the map
// is taller than the box). Depends on the box's size alone, never on the map's last size, so
// the same box always gives the same map. The map is as wide as the box's client area, except
// where the map measured with the scroll bar turns out low enough to do without it: then it
// keeps that measure and leaves the bar's width free beside it.
struct PageMapGeometry {
    int width = 0;
    int cellsPerRow = 0;
    int height = 0;
    friend bool operator==(const PageMapGeometry&, const PageMapGeometry&) = default;
};
PageMapGeometry FitPageMap(QSize box, int scrollBarWidth, int pageCount, int blockSize);

// The block size in pixels from the stored text: a positive decimal number, 25 otherwise.
int BlockSizeFromText(const QString& text);

} // namespace pagora::layout
