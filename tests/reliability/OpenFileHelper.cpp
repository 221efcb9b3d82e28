// Opens a file the way the viewer does, on top of an image already loaded, and tells what
// happened; the hostile-file tests run it as a user without the right to read everything.
//   reliability_open_file <previous image> <file>
// prints "error\t<message>" or "image\t<lines>", then "previous kept" or "previous changed".
#include "image/THexContainer.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <previous image> <file>\n", argv[0]);
        return 2;
    }
    pagora::THexContainer store;
    try {
        store.LoadFromHexFile(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot read the previous image: %s\n", error.what());
        return 3;
    }
    const pagora::THexContainer before = store;
    try {
        store.LoadFromHexFile(argv[2]);
        std::printf("image\t%zu\n", store.Count());
    } catch (const std::exception& error) {
        std::printf("error\t%s\n", error.what());
        std::printf(store == before ? "previous kept\n" : "previous changed\n");
    }
    return 0;
}
