#include "InfoCommand.h"

#include "Budgets.h"
#include "DecimalSeparator.h"
#include "ExitStatus.h"
#include "ImageReport.h"
#include "InfoOptions.h"
#include "JsonReport.h"
#include "SvgPageMap.h"
#include "TextReport.h"
#include "devices/ControllerList.h"
#include "pages/MemoryChecks.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
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

// The picture goes to its own file; a file that cannot be written is told on standard error.
bool WritePicture(const std::string& path, const std::string& svg) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "pagora-info: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    const int error = errno;
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "pagora-info: cannot write %s: %s\n", path.c_str(),
                     std::strerror(written ? errno : error));
        return false;
    }
    return true;
}

// Whether the picture would go to one of the images read, which is never written.
bool PictureOverwritesAnImage(const InfoOptions& options) {
    if (!options.Svg || *options.Svg == "-") {
        return false;
    }
    for (const std::optional<std::string>& image : {std::optional(options.File), options.Diff}) {
        std::error_code error;
        if (image && std::filesystem::equivalent(*options.Svg, *image, error)) {
            std::fprintf(stderr,
                         "pagora-info: --svg %s is the image %s; the picture needs a file of "
                         "its own\n",
                         options.Svg->c_str(), image->c_str());
            return true;
        }
    }
    return false;
}

std::string Picture(const InfoOptions& options, const ImageReport& report, char decimalSeparator) {
    return PageMapSvg(report, {options.SvgColumns, options.SvgBlock}, decimalSeparator);
}

// With --svg PICTURE (not standard output), draws the page map into that file; false when it
// could not be written.
bool DrawPictureFile(const InfoOptions& options, const ImageReport& report, char decimalSeparator) {
    return !options.Svg || *options.Svg == "-" ||
           WritePicture(*options.Svg, Picture(options, report, decimalSeparator));
}

int Report(const InfoOptions& options, const ImageReport& report, char decimalSeparator,
           const Budgets& budgets) {
    if (options.Svg && *options.Svg == "-") {
        std::fputs(Picture(options, report, decimalSeparator).c_str(), stdout);
    } else if (options.Json) {
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

    if (PictureOverwritesAnImage(options)) {
        return kUsage;
    }

    const bool twoFiles = options.Diff.has_value();
    const std::optional<ImageReport> report = Read(options.File, controller, memory, twoFiles);
    if (!report) {
        return kUnreadable;
    }
    std::optional<ImageReport> other;
    if (twoFiles) {
        other = Read(*options.Diff, controller, memory, true);
        if (!other) {
            return kUnreadable;
        }
    }
    if (!DrawPictureFile(options, *report, decimalSeparator)) {
        return kOutputFailed;
    }
    const Budgets budgets = CheckBudgets(*report, options.MaxUsed, options.Reserve);
    return other ? ReportDiff(options, *report, *other, decimalSeparator, budgets)
                 : Report(options, *report, decimalSeparator, budgets);
}

} // namespace pagora::info
