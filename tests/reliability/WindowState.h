#pragma once

// What the main window shows of the loaded image besides the line store: the grid's rows, the
// flash text, the pages with their bytes and squares, and whether the image fits.
#include "ui/TMainFrm.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pagora::reliability {

struct ShownPages {
    int rows = 0;
    QString flashText;
    bool doesNotFit = false;
    bool hasPageList = false;
    std::int32_t pageSize = 0;
    std::int32_t lastPage = 0;
    std::vector<std::string> pages; // each page's byte texts, then its square

    friend bool operator==(const ShownPages&, const ShownPages&) = default;
};

ShownPages PagesShown(const TMainFrm& window);

// Lets the window paint what is pending and paints the whole page map once, which gives
// every page its square: later paints give them the same squares again.
void Settle(TMainFrm& window);

// Picks a controller in the chooser as a user does.
void Choose(TMainFrm& window, const QString& controller);

// The resident memory of this process in bytes.
std::size_t ResidentBytes();

} // namespace pagora::reliability
