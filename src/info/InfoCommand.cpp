#include "InfoCommand.h"

#include "DecimalSeparator.h"
#include "ExitStatus.h"
#include "ImageReport.h"
#include "InfoOptions.h"
#include "JsonReport.h"
#include "OutputBuffer.h"
#include "TextReport.h"
#include "devices/ControllerList.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

namespace pagora::info {

namespace {

int Finish(OutputBuffer& out, int status) {
    if (!out.Finish()) {
        std::fputs("pagora-info: cannot write to standard output\n", stderr);
        return kOutputFailed;
    }
    return status;
}

int ListControllers(const InfoOptions& options) {
    OutputBuffer out(stdout);
    if (options.Json) {
        out.Append(JsonText(ControllersJson(ControllerList())));
    } else {
        WriteControllers(out, ControllerList());
    }
    return Finish(out, kFits);
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
    OutputBuffer out(stdout);
    if (options.Json) {
        out.Append(JsonText(SummaryJson(report, decimalSeparator, options.Pages)));
    } else if (options.Dump) {
        WriteRows(out, report.Store());
    } else if (options.Pages) {
        WritePages(out, report.Pages());
    } else {
        WriteSummary(out, report, decimalSeparator);
    }
    return Finish(out, report.Fits() ? kFits : kDoesNotFit);
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

    // Only the named controller is made, not the whole catalogue.
    std::unique_ptr<TMikrocontroller> controller;
    if (options.Controller) {
        controller = TMikrocontrollerList::CreateListed(*options.Controller);
        if (controller == nullptr) {
            std::fprintf(stderr,
                         "pagora-info: unknown controller \"%s\" (--list-controllers gives the "
                         "names)\n",
                         options.Controller->c_str());
            return kUsage;
        }
    }

    const std::optional<ImageReport> report = Read(options, controller.get());
    if (!report) {
        return kUnreadable;
    }
    return Report(options, *report, decimalSeparator);
}

} // namespace pagora::info
