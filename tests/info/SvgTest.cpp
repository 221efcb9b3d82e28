// --svg: the picture of the page map and the usage bars, read back with an XML parser as a
// browser reads it.
#include "InfoRun.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <map>
#include <memory>

using namespace infotest;

namespace {

// One square of the map: its rectangle, fill colour and title.
struct Square {
    double X = 0;
    double Y = 0;
    double Width = 0;
    double Height = 0;
    std::string Fill;
    std::string Title;
};

// One usage bar: its label, the width of its frame, the filled part's width (0 when there is
// none), the colour at the middle of its gradient and its percentage.
struct Bar {
    std::string Label;
    double FrameWidth = 0;
    double FilledWidth = 0;
    std::string MiddleColour;
    std::string Percent;
};

struct Picture {
    double Width = 0;
    double Height = 0;
    std::string Title;
    std::vector<Square> Squares;
    std::vector<Bar> Bars;
};

std::string Text(xmlNode* node) {
    std::unique_ptr<xmlChar, decltype(xmlFree)> content(xmlNodeGetContent(node), xmlFree);
    return content ? reinterpret_cast<const char*>(content.get()) : "";
}

std::string Attribute(xmlNode* node, const char* name) {
    std::unique_ptr<xmlChar, decltype(xmlFree)> value(
        xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)), xmlFree);
    return value ? reinterpret_cast<const char*>(value.get()) : "";
}

double Number(xmlNode* node, const char* name) {
    return std::stod(Attribute(node, name));
}

bool Is(xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::vector<xmlNode*> Children(xmlNode* node, const char* name) {
    std::vector<xmlNode*> found;
    for (xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (Is(child, name)) {
            found.push_back(child);
        }
    }
    return found;
}

// The picture read back; a test failure when the text is not well-formed XML or not one svg
// element in the SVG namespace.
Picture Parse(const std::string& svg) {
    Picture picture;
    const std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadMemory(svg.data(), static_cast<int>(svg.size()), "picture.svg", nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        &xmlFreeDoc);
    EXPECT_TRUE(doc) << "not well-formed XML:\n" << svg.substr(0, 2000);
    if (!doc) {
        return picture;
    }
    xmlNode* root = xmlDocGetRootElement(doc.get());
    EXPECT_TRUE(Is(root, "svg"));
    EXPECT_TRUE(root->ns != nullptr &&
                xmlStrcmp(root->ns->href,
                          reinterpret_cast<const xmlChar*>("http://www.w3.org/2000/svg")) == 0);
    picture.Width = Number(root, "width");
    picture.Height = Number(root, "height");
    EXPECT_EQ(Attribute(root, "viewBox"),
              "0 0 " + Attribute(root, "width") + " " + Attribute(root, "height"));
    const std::vector<xmlNode*> titles = Children(root, "title");
    EXPECT_EQ(titles.size(), 1u);
    if (!titles.empty()) {
        picture.Title = Text(titles.front());
    }

    std::map<std::string, std::string> gradientMiddles;
    for (xmlNode* group : Children(root, "g")) {
        if (Attribute(group, "class") == "pages") {
            for (xmlNode* rect : Children(group, "rect")) {
                const std::vector<xmlNode*> title = Children(rect, "title");
                picture.Squares.push_back({Number(rect, "x"), Number(rect, "y"),
                                           Number(rect, "width"), Number(rect, "height"),
                                           Attribute(rect, "fill"),
                                           title.size() == 1 ? Text(title.front()) : ""});
            }
            continue;
        }
        // The usage rows, each: a gradient, a label, a frame, a filled part and a percentage.
        for (xmlNode* node = group->children; node != nullptr; node = node->next) {
            if (Is(node, "defs")) {
                for (xmlNode* gradient : Children(node, "linearGradient")) {
                    for (xmlNode* stop : Children(gradient, "stop")) {
                        if (Number(stop, "offset") == 0.5) {
                            gradientMiddles[Attribute(gradient, "id")] =
                                Attribute(stop, "stop-color");
                        }
                    }
                }
            } else if (Is(node, "text") && Attribute(node, "class") == "label") {
                picture.Bars.push_back({Text(node), 0, 0, "", ""});
            } else if (!picture.Bars.empty() && Is(node, "rect")) {
                Bar& bar = picture.Bars.back();
                if (Attribute(node, "class") == "bar-frame") {
                    bar.FrameWidth = Number(node, "width") + 1; // the stroke adds half a pixel
                } else {
                    bar.FilledWidth = Number(node, "width");
                    std::string fill = Attribute(node, "fill"); // url(#id)
                    bar.MiddleColour = gradientMiddles[fill.substr(5, fill.size() - 6)];
                }
            } else if (!picture.Bars.empty() && Is(node, "text")) {
                picture.Bars.back().Percent = Text(node);
            }
        }
    }
    return picture;
}

// Runs pagora-info with --svg into a file of the test's folder and reads the picture back.
struct Drawn {
    RunResult Run;
    std::string Svg;
    Picture Read;
};
Drawn Draw(std::vector<std::string> args,
           const std::vector<std::string>& environment = {"LC_ALL=C"}) {
    const std::string path = TempPath("picture.svg");
    std::filesystem::remove(path);
    args.insert(args.begin(), {"--svg", path});
    Drawn drawn;
    drawn.Run = RunInfo(args, environment);
    drawn.Svg = ReadFile(path);
    drawn.Read = Parse(drawn.Svg);
    return drawn;
}

const char* const kBlack = "#000000";
const char* const kGrey = "#808080";
const char* const kSilver = "#C0C0C0";
const char* const kYellow = "#FFFF00";
const char* const kWhite = "#FFFFFF";
const char* const kRed = "#FF0000";

// The hint the window shows over page k, a line each without its indentation.
std::string Hint(int k, int pageSize, const std::string& used) {
    char address[16];
    std::snprintf(address, sizeof address, "%06X", k * pageSize);
    return "Page " + std::to_string(k) + "\nAdresse: 0x" + address + " (" +
           std::to_string(k * pageSize) + "d)\nBenutzt: " + used + "%";
}

} // namespace

// An ATmega8 has 128 pages of 64 bytes. Page k of the table holds 64 - blank data bytes from its
// start; the fill class follows from blank * 100 div 64.
TEST(Svg, EverySquareTakesItsPagesFillColour) {
    const struct {
        int blank;
        const char* colour;
        const char* used;
    } pages[] = {{0, kBlack, "100.0"},  {1, kGrey, "98.4"},    {32, kGrey, "50.0"},
                 {33, kSilver, "48.4"}, {48, kSilver, "25.0"}, {49, kYellow, "23.4"},
                 {63, kYellow, "1.6"},  {64, kWhite, "0.0"}};
    std::vector<std::uint8_t> bytes(std::size(pages) * 64, 0xFF);
    for (std::size_t k = 0; k < std::size(pages); ++k) {
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(k * 64), 64 - pages[k].blank, 0);
    }
    const Drawn drawn = Draw({"--controller", "ATmega8", WriteHexImage("classes.hex", bytes)});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    const std::vector<Square>& squares = drawn.Read.Squares;
    ASSERT_EQ(squares.size(), 128u);
    for (std::size_t k = 0; k < squares.size(); ++k) {
        const int index = static_cast<int>(k);
        if (k < std::size(pages)) {
            EXPECT_EQ(squares[k].Fill, pages[k].colour) << "page " << k;
            EXPECT_EQ(squares[k].Title, Hint(index, 64, pages[k].used));
        } else {
            EXPECT_EQ(squares[k].Fill, kWhite) << "page " << k;
            EXPECT_EQ(squares[k].Title, Hint(index, 64, "0.0"));
        }
    }
    // 7 of 128 pages used, and 64 + 63 + 32 + 31 + 16 + 15 + 1 = 222 of 8,192 bytes.
    ASSERT_EQ(drawn.Read.Bars.size(), 2u);
    EXPECT_EQ(drawn.Read.Bars[0].Label, "Pages Benutzt:");
    EXPECT_EQ(drawn.Read.Bars[0].Percent, "5.5%");
    EXPECT_EQ(drawn.Read.Bars[1].Label, "Flash-Speicher Benutzt:");
    EXPECT_EQ(drawn.Read.Bars[1].Percent, "2.7%");
    EXPECT_EQ(drawn.Read.Title, "classes.hex on ATmega8");
}

// The squares lie as the window lays them: a pitch of B pixels, B - 2 a side, the field 9
// pixels in; the stroke of a 1-pixel frame runs half a pixel inside the square's edge.
TEST(Svg, SquaresLieOnTheWindowsGrid) {
    const std::string empty = WriteFile("empty.hex", ":00000001FF\n");
    // Columns and block other than the defaults, 32 and 12, are given as options.
    const struct {
        const char* controller;
        std::size_t pages;
        int columns;
        int block;
        double width;
        double height;
    } cases[] = {
        {"ATmega8", 128, 32, 12, 400, 4 * 12 + 16 + 41},
        {"ATmega8", 128, 20, 25, 516, 7 * 25 + 16 + 41},
        // A narrow map: the bars keep their room.
        {"ATmega8", 128, 3, 5, 336, 43 * 5 + 16 + 41},
        // An ATmega2560's 1,024 pages fit a browser's width with the defaults.
        {"ATmega2560", 1024, 32, 12, 400, 32 * 12 + 16 + 41},
        {"ATmega2560", 1024, 1024, 5, 5136, 5 + 16 + 41},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--controller", c.controller, empty};
        if (c.columns != 32 || c.block != 12) {
            args.insert(args.begin(), {"--svg-columns", std::to_string(c.columns), "--svg-block",
                                       std::to_string(c.block)});
        }
        const Drawn drawn = Draw(args);
        SCOPED_TRACE(testing::PrintToString(args));
        ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
        EXPECT_EQ(drawn.Read.Width, c.width);
        EXPECT_EQ(drawn.Read.Height, c.height);
        ASSERT_EQ(drawn.Read.Squares.size(), c.pages);
        for (std::size_t k = 0; k < c.pages; ++k) {
            const Square& square = drawn.Read.Squares[k];
            const int column = static_cast<int>(k % static_cast<std::size_t>(c.columns));
            const int row = static_cast<int>(k / static_cast<std::size_t>(c.columns));
            EXPECT_EQ(square.X, column * c.block + 9 + 0.5) << k;
            EXPECT_EQ(square.Y, row * c.block + 9 + 0.5) << k;
            EXPECT_EQ(square.Width, c.block - 3) << k;
            EXPECT_EQ(square.Height, c.block - 3) << k;
            EXPECT_EQ(square.Fill, kWhite) << k;
        }
        for (const Bar& bar : drawn.Read.Bars) {
            EXPECT_EQ(bar.Percent, "0.0%");
            EXPECT_EQ(bar.FilledWidth, 0);
        }
    }
}

// The bars fill (frame width - 2) * share / 100 pixels, truncated, in green; the percentage
// follows the locale.
TEST(Svg, BarsShowTheShares) {
    const Drawn drawn =
        Draw({"--controller", "ATmega328p", Examples("tables-atmega328p.hex")}, {"LC_ALL=C"});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    ASSERT_EQ(drawn.Read.Bars.size(), 2u);
    const double shares[] = {25.78125, 25.390625}; // as --json gives them
    const char* percents[] = {"25.8%", "25.4%"};
    for (std::size_t i = 0; i < 2; ++i) {
        const Bar& bar = drawn.Read.Bars[i];
        EXPECT_EQ(bar.FrameWidth, 184);
        EXPECT_EQ(bar.FilledWidth, std::trunc(182 * shares[i] / 100)) << bar.Label; // 46
        EXPECT_EQ(bar.MiddleColour, "#4DA64D") << "70 % of green over white";
        EXPECT_EQ(bar.Percent, percents[i]);
    }
    // The summary on standard output is the same as without --svg.
    EXPECT_NE(drawn.Run.Out.find("Pages Benutzt: 25.8%\n"), std::string::npos);
}

TEST(Locale, PictureUsesTheLocalesSeparator) {
    const auto german = GermanLocale();
    ASSERT_TRUE(german) << "no German locale (localedef could not build de_DE.UTF-8)";
    const Drawn drawn =
        Draw({"--controller", "ATmega328p", Examples("tables-atmega328p.hex")}, *german);
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    ASSERT_EQ(drawn.Read.Bars.size(), 2u);
    EXPECT_EQ(drawn.Read.Bars[0].Percent, "25,8%");
    EXPECT_EQ(drawn.Read.Bars[1].Percent, "25,4%");
    ASSERT_EQ(drawn.Read.Squares.size(), 256u);
    EXPECT_EQ(drawn.Read.Squares[3].Title, Hint(3, 128, "99,2"));
}

// The example on its own part: every square has the colour of the fill class --pages gives
// its page.
TEST(Svg, ExampleMatchesItsPageList) {
    const Drawn drawn = Draw({"--controller", "ATmega328p", Examples("tables-atmega328p.hex")});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    const RunResult pages =
        RunInfo({"--pages", "--controller", "ATmega328p", Examples("tables-atmega328p.hex")});
    ASSERT_EQ(pages.Status, 0) << pages.Err;
    const std::map<std::string, std::string> colours{{"full", kBlack},
                                                     {"mostly", kGrey},
                                                     {"half", kSilver},
                                                     {"little", kYellow},
                                                     {"blank", kWhite}};
    const std::vector<std::string> lines = Lines(pages.Out);
    ASSERT_EQ(drawn.Read.Squares.size(), lines.size());
    std::map<std::string, int> seen;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string fill = lines[k].substr(lines[k].rfind(' ') + 1);
        EXPECT_EQ(drawn.Read.Squares[k].Fill, colours.at(fill)) << lines[k];
        ++seen[fill];
    }
    EXPECT_EQ(seen.size(), 4u) << "the example holds full, mostly, half and blank pages";
}

// An image that does not fit: every square red, both bars full and red, "> 100%"; the exit
// status says so as without --svg.
TEST(Svg, ImageThatDoesNotFitIsRed) {
    const Drawn drawn = Draw({"--controller", "ATmega8", Examples("tables-atmega328p.hex")});
    EXPECT_EQ(drawn.Run.Status, 1) << drawn.Run.Err;
    ASSERT_EQ(drawn.Read.Squares.size(), 128u);
    for (const Square& square : drawn.Read.Squares) {
        EXPECT_EQ(square.Fill, kRed);
    }
    EXPECT_EQ(drawn.Read.Squares[0].Title, Hint(0, 64, "100.0"));
    EXPECT_EQ(drawn.Read.Squares[127].Title.substr(0, 9), "Page 127\n");
    ASSERT_EQ(drawn.Read.Bars.size(), 2u);
    for (const Bar& bar : drawn.Read.Bars) {
        EXPECT_EQ(bar.FilledWidth, bar.FrameWidth - 2);
        EXPECT_EQ(bar.MiddleColour, "#FF4D4D") << "70 % of red over white";
        EXPECT_EQ(bar.Percent, "> 100%");
    }
}

TEST(Svg, EepromPicture) {
    const Drawn drawn =
        Draw({"--eeprom", "--controller", "ATtiny85", Examples("blink-attiny85.eep")});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    EXPECT_EQ(drawn.Read.Title, "blink-attiny85.eep on ATtiny85 (EEPROM)");
    EXPECT_EQ(drawn.Read.Squares.size(), 128u); // 512 bytes in pages of 4
    ASSERT_EQ(drawn.Read.Bars.size(), 2u);
    EXPECT_EQ(drawn.Read.Bars[1].Label, "EEPROM-Speicher Benutzt:");
}

// A file name may hold markup, control characters and bytes that are no UTF-8; the picture
// stays well-formed and names the file as far as XML can.
TEST(Svg, AnyFileNameMakesWellFormedXml) {
    const std::string name = std::string("a&b<c>\"d'\x01") + "\xFF" + "\xC3\xA9.hex";
    const std::string image = WriteFile(name, ":00000001FF\n");
    const Drawn drawn = Draw({"--controller", "ATmega8", image});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    EXPECT_EQ(drawn.Read.Title,
              "a&b<c>\"d'\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9.hex on ATmega8"); // é kept
    EXPECT_EQ(drawn.Read.Squares.size(), 128u);
}

// With --diff the picture is FILE's, the image compared against OTHER, and the page list of
// the differences is printed as without it.
TEST(Svg, PictureOfTheNewerImageBesideTheDiff) {
    const std::string older = WriteHexImage("older.hex", std::vector<std::uint8_t>(64, 0x11));
    const std::string newer = WriteHexImage("newer.hex", std::vector<std::uint8_t>(192, 0x22));
    const Drawn drawn = Draw({"--diff", older, "--controller", "ATmega8", newer});
    ASSERT_EQ(drawn.Run.Status, 0) << drawn.Run.Err;
    EXPECT_NE(drawn.Run.Out.find("Pages differ: 3 of 128\n"), std::string::npos) << drawn.Run.Out;
    EXPECT_EQ(drawn.Read.Title, "newer.hex on ATmega8");
    ASSERT_EQ(drawn.Read.Squares.size(), 128u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(drawn.Read.Squares[k].Fill, k < 3 ? kBlack : kWhite) << k;
    }
}

// "-" writes the picture to standard output in place of the report.
TEST(Svg, StandardOutput) {
    const Drawn file = Draw({"--controller", "ATmega328p", Examples("tables-atmega328p.hex")});
    const RunResult out =
        RunInfo({"--svg", "-", "--controller", "ATmega328p", Examples("tables-atmega328p.hex")});
    ASSERT_EQ(out.Status, 0) << out.Err;
    EXPECT_EQ(out.Out, file.Svg);
    EXPECT_EQ(out.Err, "");
    const RunResult red =
        RunInfo({"--svg", "-", "--controller", "ATmega8", Examples("tables-atmega328p.hex")});
    EXPECT_EQ(red.Status, 1);
    EXPECT_EQ(Parse(red.Out).Squares.size(), 128u);
    const RunResult full =
        RunInfo({"--svg", "-", "--controller", "ATmega8", Examples("blink-atmega8.hex")},
                {"LC_ALL=C"}, Stdout::Unwritable);
    EXPECT_EQ(full.Status, 74);
}

// The picture never goes over an image being read, and a picture that cannot be written ends
// with 74 before any report.
TEST(Svg, PictureFileFaults) {
    const std::string image = WriteHexImage("mine.hex", std::vector<std::uint8_t>(32, 0x12));
    const std::string before = ReadFile(image);
    const RunResult same = RunInfo({"--svg", image, "--controller", "ATmega8", image});
    EXPECT_EQ(same.Status, 64);
    EXPECT_NE(same.Err.find("needs a file of its own"), std::string::npos) << same.Err;
    const std::string other = WriteHexImage("other.hex", std::vector<std::uint8_t>(16, 0x34));
    const std::string otherBefore = ReadFile(other);
    const RunResult diff =
        RunInfo({"--svg", other, "--diff", other, "--controller", "ATmega8", image});
    EXPECT_EQ(diff.Status, 64);
    EXPECT_EQ(ReadFile(image), before);
    EXPECT_EQ(ReadFile(other), otherBefore);

    const std::string missing = TempPath("no-such-folder/picture.svg");
    const RunResult unwritable = RunInfo({"--svg", missing, "--controller", "ATmega8", image});
    EXPECT_EQ(unwritable.Status, 74);
    EXPECT_NE(unwritable.Err.find("cannot write " + missing), std::string::npos) << unwritable.Err;
    EXPECT_EQ(unwritable.Out, "");

    // An image that cannot be read draws nothing.
    const std::string picture = TempPath("unread.svg");
    const RunResult unread =
        RunInfo({"--svg", picture, "--controller", "ATmega8", WriteFile("bad.hex", ":10000G00\n")});
    EXPECT_EQ(unread.Status, 2);
    EXPECT_FALSE(std::filesystem::exists(picture));
}
