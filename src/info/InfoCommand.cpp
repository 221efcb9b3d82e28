#include "InfoCommand.h"

#include "Budgets.h"
#include "DecimalSeparator.h"
#include "ExitStatus.h"
#include "ImageReport.h"
#include "InfoOptions.h"
#include "JsonReport.h"
#include "TextReport.h"
#include "devices/ControllerList.h"
#include "pages/MemoryChecks.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>

namespace pagora::info {

namespace {

// Standard output is buffered by stdio; whether every write reached it shows at the flush.
int Finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("pagora-info: cannot write to standard output\n", stderr);
        return kOutputFailed;
    }
    return status;
}

int ListControllers(const InfoOptions& options) {
    if (options.Json) {
        std::fputs(JsonText(ControllersJson(ControllerList())).c_str(), stdout);
    } else {
        WriteControllers(stdout, ControllerList());
    }
    return Finish(kFits);
}

// The image as read, or nothing after the reader's error has been told on standard error,
// after the file's name when two files are read.
std::optional<ImageReport> Read(const std::string& file, const TMikrocontroller* controller,
                                Memory memory, bool nameTheFile) {
    try {
        return ImageReport(file, controller, memory);
    } catch (const std::exception& error) {
        if (nameTheFile) {
            std::fprintf(stderr, "pagora-info: %s: %s\n", file.c_str(), error.what());
        } else {
            std::fprintf(stderr, "%s\n", error.what());
        }
        return std::nullopt;
    }
}

int Report(const InfoOptions& options, const ImageReport& report, char decimalSeparator,
           const Budgets& budgets) {
    if (options.Json) {
        std::fputs(JsonText(SummaryJson(report, decimalSeparator, options.Pages, budgets)).c_str(),
                   stdout);
    } else if (options.Dump) {
        WriteRows(stdout, report.Store());
    } else if (options.Pages) {
        WritePages(stdout, report.Pages());
    } else {
        WriteSummary(stdout, report, decimalSeparator, budgets);
    }
    TellBrokenBudgets(report, budgets, decimalSeparator);
    return Finish(report.Fits() && budgets.Hold() ? kFits : kDoesNotFit);
}

// Both images laid onto the same pages, and the pages that differ.
int ReportDiff(const InfoOptions& options, const ImageReport& report, const ImageReport& other,
               char decimalSeparator, const Budgets& budgets) {
    const std::vector<PageDifference> differences = DifferingPages(other.Pages(), report.Pages());
    if (options.Json) {
        Json json = SummaryJson(report, decimalSeparator, false, budgets);
        json["diff"] = DiffJson(other.FileName(), report.Pages(), differences);
        std::fputs(JsonText(json).c_str(), stdout);
    } else {
        WriteDiff(stdout, report.Pages(), differences);
    }
    TellBrokenBudgets(report, budgets, decimalSeparator);
    for (const ImageReport* image : {&report, &other}) {
        if (!image->Fits()) {
            std::fprintf(stderr,
                         "pagora-info: %s does not fit the %s of %s; compared as far as it "
                         "goes\n",
                         image->FileName().c_str(), MemoryName(image->LaidOnto()),
                         image->Controller()->ControllerName().c_str());
        }
    }
    const bool fit = report.Fits() && other.Fits();
    return Finish(fit && budgets.Hold() ? kFits : kDoesNotFit);
}

} // namespace

int RunInfo(int argc, const char* const* argv) {
    const char decimalSeparator = UserDecimalSeparator();

    const ParsedOptions parsed = ParseOptions(argc, argv);
    if (parsed.Exit) {
        return *parsed.Exit;
    }
    const InfoOptions& options = parsed.Options;
    if (options.ListControllers) {
        return ListControllers(options);
    }

    const TMikrocontroller* controller = nullptr;
    if (options.Controller) {
        controller = ControllerList().FindByName(*options.Controller);
        if (controller == nullptr) {
            std::fprintf(stderr,
                         "pagora-info: unknown controller \"%s\" (--list-controllers gives the "
                         "names)\n",
                         options.Controller->c_str());
            return kUsage;
        }
    }

    const Memory memory = options.Eeprom ? Memory::Eeprom : Memory::Flash;
    if (controller != nullptr && options.Reserve) {
        const std::int64_t bytes =
            static_cast<std::int64_t>(HighestAddressOf(*controller, memory)) + 1;
        if (*options.Reserve > bytes) {
            std::fprintf(stderr,
                         "pagora-info: --reserve %lld is more than the %lld bytes of the %s of "
                         "%s\n",
                         static_cast<long long>(*options.Reserve), static_cast<long long>(bytes),
                         MemoryName(memory), controller->ControllerName().c_str());
            return kUsage;
        }
    }

    const bool twoFiles = options.Diff.has_value();
    const std::optional<ImageReport> report = Read(options.File, controller, memory, twoFiles);
    if (!report) {
        return kUnreadable;
    }
    const Budgets budgets = CheckBudgets(*report, options.MaxUsed, options.Reserve);
    if (!twoFiles) {
        return Report(options, *report, decimalSeparator, budgets);
    }
    const std::optional<ImageReport> other = Read(*options.Diff, controller, memory, true);
    if (!other) {
        return kUnreadable;
    }
    return ReportDiff(options, *report, *other, decimalSeparator, budgets);
}

} // namespace pagora::info
