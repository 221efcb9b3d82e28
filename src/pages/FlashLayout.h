#pragma once

#include "TPageList.h"
#include "image/THexContainer.h"

#include <cstdint>

namespace pagora {

// Fresh pages for the flash of a controller whose highest flash address is flashSize, in pages
// of pageSize bytes: FlashSize div FlashPageSize + 1 pages, each "FF", with PageSize and
// PageCount set. A part without flash pages (a page size of 0 or less) gets no pages.
void RebuildForFlash(TPageList& pages, std::int32_t flashSize, std::int32_t pageSize);

// Lays the store onto that flash, as the viewer does whenever a file is opened or a
// controller chosen: fresh pages (RebuildForFlash), the store stretched or shrunk to the flash
// (image lines are kept), the bytes laid onto the pages. Returns false when the image is longer
// than the flash; the pages then hold what fitted.
bool LayOntoFlash(THexContainer& store, TPageList& pages, std::int32_t flashSize,
                  std::int32_t pageSize);

} // namespace pagora
