// pagora-info: the viewer's model for scripts and build pipelines.
#include "InfoCommand.h"

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>

// Every line written ends in LF alone, as on Linux: the C library adds no CR on the way out.
static void KeepLineEnds() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
#else
static void KeepLineEnds() {}
#endif

int main(int argc, char** argv) {
    KeepLineEnds();
    return pagora::info::RunInfo(argc, argv);
}
