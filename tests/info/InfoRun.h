#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace infotest {

// What one run of the built pagora-info left behind.
struct RunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Where pagora-info's standard output goes: captured in RunResult::Out, or somewhere that
// refuses every write (a full device on Linux, a file opened for reading only on Windows).
enum class Stdout { Captured, Unwritable };

// Runs pagora-info with the arguments (each passed as one word) and without the locale
// variables LANGUAGE, LC_ALL, LC_NUMERIC and LANG, then with the environment assignments
// given: the C locale, or for example "LC_ALL=de_DE.UTF-8".
RunResult RunInfo(const std::vector<std::string>& args,
                  const std::vector<std::string>& environment = {"LC_ALL=C"},
                  Stdout output = Stdout::Captured);

// Assignments under which pagora-info runs with a German number format (a decimal comma):
// on Linux a de_DE.UTF-8 locale built for the tests with localedef; on Windows none, when the
// user's regional settings have a decimal comma (under Wine CTest starts the locale tests with
// LC_ALL=de_DE.UTF-8, from which Wine takes them). Nothing when there is no such locale.
std::optional<std::vector<std::string>> GermanLocale();

// Writes an Intel HEX file of 16-byte (or shorter) data records from the bytes, which start at
// address 0; bytes equal to skip are left out of the records. Returns the file's path in the
// test's temporary folder.
std::string WriteHexImage(const std::string& name, const std::vector<std::uint8_t>& bytes,
                          int skip = -1);
// A path in this test process's own temporary folder.
std::string TempPath(const std::string& name);
// Writes a file with the given text; returns its path.
std::string WriteFile(const std::string& name, const std::string& text);

std::string ReadFile(const std::string& path);
std::string Examples(const std::string& name);
// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);
// Whether a program of the build machine is there to run (Linux only).
bool HaveTool(const std::string& tool);
// Standard output of a --json run read back by a JSON parser, as a script would; a discarded
// value (and a failure) when it is no JSON.
nlohmann::json ParsedJson(const RunResult& run);

} // namespace infotest
