#include "InfoRun.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace infotest {

namespace {

std::string Quoted(const std::string& word) {
    std::string quoted(1, '\'');
    for (char c : word) {
        if (c == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(c);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

} // namespace

std::string TempPath(const std::string& name) {
    // Tests of one run may run side by side in several processes: each gets a folder.
    struct Folder {
        std::string Path;
        Folder() : Path(testing::TempDir()) {
            Path.append("/info-").append(std::to_string(getpid()));
            std::filesystem::create_directories(Path);
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

RunResult RunInfo(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                  const std::string& stdoutTarget) {
    const std::string out = TempPath("stdout.txt");
    const std::string err = TempPath("stderr.txt");
    std::string command = "env -u LANGUAGE -u LC_ALL -u LC_NUMERIC -u LANG";
    for (const std::string& assignment : environment) {
        command.append(" ").append(Quoted(assignment));
    }
    command.append(" ").append(Quoted(PAGORA_INFO));
    for (const std::string& arg : args) {
        command.append(" ").append(Quoted(arg));
    }
    command.append(" >").append(Quoted(stdoutTarget.empty() ? out : stdoutTarget));
    command.append(" 2>").append(Quoted(err));
    std::remove(out.c_str());
    const int raw = std::system(command.c_str());
    RunResult result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Out = stdoutTarget.empty() ? ReadFile(out) : std::string();
    result.Err = ReadFile(err);
    return result;
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

bool HaveTool(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

nlohmann::json ParsedJson(const RunResult& run) {
    EXPECT_TRUE(nlohmann::json::accept(run.Out)) << run.Out;
    return nlohmann::json::parse(run.Out, nullptr, false);
}

} // namespace infotest
