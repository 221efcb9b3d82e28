#include "InfoCommand.h"

#include "DecimalSeparator.h"
#include "ExitStatus.h"
#include "ImageReport.h"
#include "InfoOptions.h"
#include "JsonReport.h"
#include "OutputBuffer.h"
#include "TextReport.h"
#include "devices/ControllerList.h"

#include <clocale>
#include <cstdio>
#include <exception>
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
    // Only the number format is taken from the user's locale: it is all the reports use, and
    // loading the other categories would cost more than reading a small image.
    std::setlocale(LC_NUMERIC, "");
    const char decimalSeparator = DecimalSeparator();

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
