#pragma once

#include "devices/TMikrocontroller.h"

#include <ostream>

namespace pagora {

// Readable failure output for the records of a description.
void PrintTo(const TFuseByte& fuse, std::ostream* os);
void PrintTo(const TCalibration& calibration, std::ostream* os);
void PrintTo(TMicroTyp type, std::ostream* os);

// Expects every field of actual but ControllerName, Known and CompatibleWith to equal the one
// of expected.
void ExpectSameDescription(const TMikrocontroller& actual, const TMikrocontroller& expected);

} // namespace pagora
