// Writes the large hostile files into a folder, so that the tests that read them under a time
// limit spend it on reading:  reliability_write_large_files <folder>
#include "HostileFiles.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    for (const pagora::reliability::HostileCase& c : pagora::reliability::HostileCases()) {
        if (!c.large) {
            continue;
        }
        const std::string path = std::string(argv[1]) + "/" + c.name + ".hex";
        const std::string text = c.content();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %zu bytes\n", path.c_str(), text.size());
    }
    return 0;
}
