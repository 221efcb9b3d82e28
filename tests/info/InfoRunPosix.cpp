// Running pagora-info on Linux: through the shell, with env for the locale variables.
#include "InfoRun.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

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

RunResult RunInfo(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                  Stdout output) {
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
    command.append(" >").append(output == Stdout::Captured ? Quoted(out) : "/dev/full");
    command.append(" 2>").append(Quoted(err));
    std::remove(out.c_str());
    const int raw = std::system(command.c_str());
    RunResult result;
    result.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.Out = output == Stdout::Captured ? ReadFile(out) : std::string();
    result.Err = ReadFile(err);
    return result;
}

std::optional<std::vector<std::string>> GermanLocale() {
    // Built once, so that no installed locale is needed.
    static const std::optional<std::vector<std::string>> environment =
        []() -> std::optional<std::vector<std::string>> {
        const std::string dir = TempPath("locales");
        const std::string command = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" +
                                    dir + "/de_DE.utf8' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            return std::nullopt;
        }
        return std::vector<std::string>{"LOCPATH=" + dir, "LC_ALL=de_DE.UTF-8"};
    }();
    return environment;
}

bool HaveTool(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace infotest
