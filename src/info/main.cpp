// pagora-info: the viewer's model for scripts and build pipelines.
#include "InfoCommand.h"

int main(int argc, char** argv) {
    return pagora::info::RunInfo(argc, argv);
}
