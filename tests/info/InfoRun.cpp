#include "InfoRun.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace infotest {

std::string TempPath(const std::string& name) {
    // Tests of one run may run side by side in several processes: each gets a folder.
    struct Folder {
        std::string Path;
        Folder() {
            std::random_device random;
            for (int attempt = 0; attempt < 100 && Path.empty(); ++attempt) {
                const std::string path = testing::TempDir() + "info-" + std::to_string(random());
                if (std::filesystem::create_directory(path)) {
                    Path = path;
                }
            }
            EXPECT_FALSE(Path.empty()) << "no temporary folder in " << testing::TempDir();
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(Path, ignored);
        }
    };
    static const Folder folder;
    std::string path = folder.Path;
    path.append("/").append(name);
    return path;
}

std::string WriteHexImage(const std::string& name, const std::vector<std::uint8_t>& bytes,
                          int skip) {
    std::ostringstream hex;
    char text[8];
    for (std::size_t line = 0; line < bytes.size(); line += 16) {
        for (std::size_t first = line; first < bytes.size() && first < line + 16;) {
            if (bytes[first] == skip) {
                ++first;
                continue;
            }
            std::size_t end = first;
            while (end < bytes.size() && end < line + 16 && bytes[end] != skip) {
                ++end;
            }
            const auto count = static_cast<unsigned>(end - first);
            unsigned sum = count + ((first >> 8) & 0xFF) + (first & 0xFF);
            std::snprintf(text, sizeof text, ":%02X", count);
            hex << text;
            std::snprintf(text, sizeof text, "%04X00", static_cast<unsigned>(first));
            hex << text;
            for (std::size_t i = first; i < end; ++i) {
                std::snprintf(text, sizeof text, "%02X", bytes[i]);
                hex << text;
                sum += bytes[i];
            }
            std::snprintf(text, sizeof text, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
            hex << text;
            first = end;
        }
    }
    hex << ":00000001FF\n";
    return WriteFile(name, hex.str());
}

std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Examples(const std::string& name) {
    return std::string(PAGORA_EXAMPLES) + "/" + name;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

nlohmann::json ParsedJson(const RunResult& run) {
    EXPECT_TRUE(nlohmann::json::accept(run.Out)) << run.Out;
    return nlohmann::json::parse(run.Out, nullptr, false);
}

} // namespace infotest
