// pagora-info: the viewer's model for scripts and build pipelines.
#include "InfoCommand.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int status = pagora::info::RunInfo(argc, argv);
#ifdef PAGORA_INFO_ARENA
    // All the program holds is memory that the arena never gives back, and the reports have
    // been written and checked: end here, without running the destructors and exit handlers
    // (whose code would first have to be paged in). Without the arena (the sanitizer builds)
    // the normal exit runs, leak check included.
    std::fflush(nullptr);
    std::_Exit(status);
#else
    return status;
#endif
}
