#pragma once

#include "devices/TMikrocontrollerList.h"

namespace pagora {

// The one catalogue of all controllers: built with CreateAll on the first call (safely, even
// from several threads) and freed when the program ends. Its entries never change.
const TMikrocontrollerList& ControllerList();

} // namespace pagora
