#include "InfoCommand.h"

#include "DecimalSeparator.h"
#include "ExitStatus.h"
#include "ImageReport.h"
#include "InfoOptions.h"
#include "JsonReport.h"
#include "TextReport.h"
#include "devices/ControllerList.h"

#include <cstdio>
#include <exception>
#include <optional>

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

// The image as read, or nothing after the reader's error has been told on standard error.
std::optional<ImageReport> Read(const InfoOptions& options, const TMikrocontroller* controller) {
    try {
        return ImageReport(options.File, controller);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return std::nullopt;
    }
}

int Report(const InfoOptions& options, const ImageReport& report, char decimalSeparator) {
    if (options.Json) {
        std::fputs(JsonText(SummaryJson(report, decimalSeparator, options.Pages)).c_str(), stdout);
    } else if (options.Dump) {
        WriteRows(stdout, report.Store());
    } else if (options.Pages) {
        WritePages(stdout, report.Pages());
    } else {
        WriteSummary(stdout, report, decimalSeparator);
    }
    return Finish(report.Fits() ? kFits : kDoesNotFit);
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

    const std::optional<ImageReport> report = Read(options, controller);
    if (!report) {
        return kUnreadable;
    }
    return Report(options, *report, decimalSeparator);
}

} // namespace pagora::info
