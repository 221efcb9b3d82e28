// Running pagora-info on Windows (and under Wine): CreateProcess with standard output and error
// in files and an environment block of its own.
#include "InfoRun.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <gtest/gtest.h>
#include <windows.h>

namespace infotest {

namespace {

// Narrow texts are in the ANSI code page, as the C library's file functions and the started
// program's arguments take them: a name the test writes a file under reaches the program as the
// same bytes.
std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

// One word of a command line as the C runtime splits it again: in quotes, with the
// backslashes before a quote (and before the closing one) doubled.
std::wstring Quoted(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) {
        return word;
    }
    std::wstring quoted(1, L'"');
    std::size_t backslashes = 0;
    for (wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring NameOf(const std::wstring& assignment) {
    // A leading '=' belongs to the name (the per-drive folders "=C:=...").
    std::wstring name = assignment.substr(0, assignment.find(L'=', 1));
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return name;
}

// This process's environment without the locale variables and the names assigned, then the
// assignments; Windows compares names without regard to case.
std::wstring EnvironmentBlock(const std::vector<std::string>& environment) {
    std::vector<std::wstring> assignments;
    for (const std::string& assignment : environment) {
        assignments.push_back(Wide(assignment));
    }
    std::vector<std::wstring> dropped = {L"LANGUAGE", L"LC_ALL", L"LC_NUMERIC", L"LANG"};
    for (const std::wstring& assignment : assignments) {
        dropped.push_back(NameOf(assignment));
    }
    std::wstring block;
    wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        if (std::find(dropped.begin(), dropped.end(), NameOf(entry)) == dropped.end()) {
            block.append(entry).push_back(L'\0');
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const std::wstring& assignment : assignments) {
        block.append(assignment).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

struct Handle {
    HANDLE Value = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (Value != INVALID_HANDLE_VALUE && Value != nullptr) {
            CloseHandle(Value);
        }
    }
};

// A file handle that the started program inherits.
HANDLE Inheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

RunResult RunInfo(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                  Stdout output) {
    const std::string out = TempPath("stdout.txt");
    const std::string err = TempPath("stderr.txt");
    RunResult result;
    {
        Handle in{Inheritable("NUL", GENERIC_READ, OPEN_EXISTING)};
        // A file opened for reading only: every write to it fails.
        Handle stdoutFile{output == Stdout::Captured
                              ? Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS)
                              : Inheritable(TempPath("read-only.txt"), GENERIC_READ, OPEN_ALWAYS)};
        Handle stderrFile{Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS)};
        if (in.Value == INVALID_HANDLE_VALUE || stdoutFile.Value == INVALID_HANDLE_VALUE ||
            stderrFile.Value == INVALID_HANDLE_VALUE) {
            ADD_FAILURE() << "cannot open the files for standard input, output and error";
            return result;
        }

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.Value;
        startup.hStdOutput = stdoutFile.Value;
        startup.hStdError = stderrFile.Value;
        const std::wstring program = Wide(PAGORA_INFO);
        std::wstring commandLine = Quoted(program);
        for (const std::string& arg : args) {
            commandLine.append(L" ").append(Quoted(Wide(arg)));
        }
        std::wstring block = EnvironmentBlock(environment);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                            CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup,
                            &process)) {
            ADD_FAILURE() << "cannot start " << PAGORA_INFO << " (error " << GetLastError() << ")";
            return result;
        }
        Handle thread{process.hThread};
        Handle running{process.hProcess};
        DWORD status = 0;
        if (WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &status)) {
            result.Status = static_cast<int>(status);
        }
    }
    result.Out = output == Stdout::Captured ? ReadFile(out) : std::string();
    result.Err = ReadFile(err);
    return result;
}

std::optional<std::vector<std::string>> GermanLocale() {
    // The user's locale is the process's own (under Wine set by LC_ALL before the test starts):
    // nothing to assign, as long as it writes a decimal comma.
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0 ||
        std::wstring(separator) != L",") {
        return std::nullopt;
    }
    return std::vector<std::string>{};
}

} // namespace infotest
