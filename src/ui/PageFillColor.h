#pragma once

#include "pages/PageFill.h"
#include "pages/TPage.h"

#include <QColor>
#include <cstdint>

namespace pagora {

// The colour of a page's square in the page map: black for a full page, grey, silver and
// yellow as more of it is blank, white for a blank one.
QColor PageFillColor(PageFill fill);
QColor PageFillColor(const TPage& page, std::int32_t pageSize);

} // namespace pagora
