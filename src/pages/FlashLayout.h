#pragma once

#include "TPageList.h"
#include "image/THexContainer.h"

#include <cstdint>

namespace pagora {

// Lays the store onto the flash of a controller whose highest flash address is flashSize, in
// pages of pageSize bytes, as the viewer does whenever a file is opened or a controller
// chosen: fresh pages, the store stretched or shrunk to the flash (image lines are kept), the
// bytes laid onto the pages. Returns false when the image is longer than the flash; the pages
// then hold what fitted.
bool LayOntoFlash(THexContainer& store, TPageList& pages, std::int32_t flashSize,
                  std::int32_t pageSize);

} // namespace pagora
