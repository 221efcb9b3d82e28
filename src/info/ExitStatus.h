#pragma once

namespace pagora::info {

// What pagora-info tells its caller.
enum ExitStatus : int {
    kFits = 0,         // read, and fits the controller (or no controller was given)
    kDoesNotFit = 1,   // read, but longer than the controller's flash
    kUnreadable = 2,   // the file could not be read
    kUsage = 64,       // wrong usage: unknown option or controller, missing file
    kOutputFailed = 74 // the report could not be written
};

} // namespace pagora::info
