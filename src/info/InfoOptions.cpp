#include "InfoOptions.h"

#include "ExitStatus.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace pagora::info {

namespace {

constexpr const char* kDescription =
    "Reads an Intel HEX image (*.hex, *.eep) as AVR-Pagora does and tells whether it fits\n"
    "a controller's flash and how full that flash is.";

constexpr const char* kFooter =
    "Without --dump, --pages or --json a summary is printed: the file, its lines and, with a\n"
    "controller, its flash and page size, whether the image fits and the shares\n"
    "\"Pages Benutzt:\" and \"Flash-Speicher Benutzt:\" in the locale's number format.\n"
    "--dump: one line per row: address, 16 byte cells, two blanks, 16 character cells.\n"
    "--pages: one line per page: number, first address, blank bytes and fill class\n"
    "(full, mostly, half, little, blank).\n"
    "\n"
    "Exit status: 0 read and fits (or no controller given), 1 read but does not fit,\n"
    "2 the file could not be read, 64 wrong usage, 74 the report could not be written.";

void UsageError(const std::string& message) {
    std::fprintf(stderr, "pagora-info: %s\nRun with --help for more information.\n",
                 message.c_str());
}

} // namespace

ParsedOptions ParseOptions(int argc, const char* const* argv) {
    ParsedOptions parsed;
    InfoOptions& options = parsed.Options;
    CLI::App app(kDescription, "pagora-info");
    app.footer(kFooter);
    app.set_version_flag("--version", std::string("pagora-info ") + PAGORA_VERSION,
                         "Print the version and exit");

    std::string controller;
    CLI::Option* controllerOption =
        app.add_option("--controller", controller,
                       "Lay the image onto this controller's flash (exact name)")
            ->option_text("NAME");
    CLI::Option* dump =
        app.add_flag("--dump", options.Dump, "Print the rows as the grid shows them")
            ->option_text(" ");
    CLI::Option* pages =
        app.add_flag("--pages", options.Pages, "Print one line per flash page (needs --controller)")
            ->needs(controllerOption)
            ->option_text(" ");
    CLI::Option* json = app.add_flag("--json", options.Json,
                                     "Print the summary (with --pages also the pages) as JSON")
                            ->option_text(" ");
    CLI::Option* list = app.add_flag("--list-controllers", options.ListControllers,
                                     "Print the controllers with flash and page size")
                            ->option_text(" ");
    CLI::Option* file =
        app.add_option("FILE", options.File, "The Intel HEX file to read")->option_text(" ");
    dump->excludes(pages)->excludes(json);
    list->excludes(controllerOption)->excludes(dump)->excludes(pages)->excludes(file);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        parsed.Exit = kFits;
        return parsed;
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            std::fputs(app.help().c_str(), stdout);
            parsed.Exit = kFits;
        } else {
            UsageError(error.what());
            parsed.Exit = kUsage;
        }
        return parsed;
    }
    if (controllerOption->count() > 0) {
        options.Controller = controller;
    }
    if (!options.ListControllers && file->count() == 0) {
        UsageError("FILE is required");
        parsed.Exit = kUsage;
    }
    return parsed;
}

} // namespace pagora::info
