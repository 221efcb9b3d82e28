#pragma once

namespace pagora::info {

// Runs pagora-info with its command line; reports on standard output and standard error and
// returns the exit status (see ExitStatus.h).
int RunInfo(int argc, const char* const* argv);

} // namespace pagora::info
