#pragma once

#include "TPageList.h"
#include "image/THexContainer.h"

#include <cstdint>

namespace pagora {

// Fresh pages for a memory (a controller's flash or EEPROM) whose highest address is
// highestAddress, in pages of pageSize bytes: highestAddress div pageSize + 1 pages, each "FF",
// with PageSize and PageCount set. A memory without pages (a page size of 0 or less) gets no
// pages.
void RebuildForMemory(TPageList& pages, std::int32_t highestAddress, std::int32_t pageSize);

// Lays the store onto that memory, as the viewer does with the flash whenever a file is opened
// or a controller chosen: fresh pages (RebuildForMemory), the store stretched or shrunk to the
// memory (image lines are kept), the bytes laid onto the pages. Returns false when the image is
// longer than the memory; the pages then hold what fitted. A memory without pages takes no
// byte, so any image, even an empty one, does not fit it.
bool LayOntoMemory(THexContainer& store, TPageList& pages, std::int32_t highestAddress,
                   std::int32_t pageSize);

} // namespace pagora
