#include "Globals.h"

namespace pagora {

TPageList* PageList = nullptr;
bool DataDoesNotFit = false;

} // namespace pagora
