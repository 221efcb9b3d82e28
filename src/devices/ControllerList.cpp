#include "devices/ControllerList.h"

namespace pagora {

const TMikrocontrollerList& ControllerList() {
    static const TMikrocontrollerList list = [] {
        TMikrocontrollerList all;
        all.CreateAll();
        return all;
    }();
    return list;
}

} // namespace pagora
