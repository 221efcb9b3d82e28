#pragma once

#include "pages/TPageList.h"

namespace pagora {

// The one page list: created when the main window is created, freed when it closes.
extern TPageList* PageList;

// True when the last laying of the image onto the pages failed: the image is longer than the
// chosen controller's flash. The page map and the usage bars read it.
extern bool DataDoesNotFit;

} // namespace pagora
