// The reader against images made by avr-gcc/avr-objcopy, checked byte for byte against what
// avr-objcopy and srec_cat make of the same files.
#include "image/HexToInt.h"
#include "image/THexContainer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace pagora;

namespace {

std::string ReadBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The image as bytes from address 0, erased bytes reading FF.
std::string ImageBytes(const THexContainer& store) {
    std::string bytes;
    bytes.reserve(store.Count() * 16);
    for (std::size_t i = 0; i < store.Count(); ++i) {
        for (int n = 1; n <= 16; ++n) {
            bytes.push_back(static_cast<char>(HexToInt(store[i].GetByteText(n))));
        }
    }
    return bytes;
}

// The store ends on a whole line; the rest of that line reads FF.
std::string WholeLines(std::string bytes) {
    bytes.resize((bytes.size() + 15) / 16 * 16, '\xFF');
    return bytes;
}

bool Have(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A folder of the test's own for the reference tools' output, removed at the end.
class ToolchainImage : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "pagora-toolchain-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << pattern;
        folder_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string folder_;
};

} // namespace

TEST_P(ToolchainImage, MatchesReferenceTools) {
    const std::string hex = std::string(PAGORA_EXAMPLES) + "/" + GetParam();
    THexContainer store;
    store.LoadFromHexFile(hex);
    ASSERT_GT(store.Count(), 0u);
    const std::string ours = ImageBytes(store);

    const std::string out = folder_ + "/image.bin";
    ASSERT_TRUE(Have("avr-objcopy") && Have("srec_cat"))
        << "avr-objcopy or srec_cat missing (scripts/install-deps test installs them)";
    ASSERT_EQ(
        std::system(
            ("avr-objcopy -I ihex -O binary --gap-fill 0xFF '" + hex + "' '" + out + "'").c_str()),
        0);
    EXPECT_EQ(ours, WholeLines(ReadBinary(out)));

    ASSERT_EQ(std::system(("srec_cat '" + hex + "' -intel -fill 0xFF -over '" + hex +
                           "' -intel -o '" + out + "' -binary")
                              .c_str()),
              0);
    EXPECT_EQ(ours, WholeLines(ReadBinary(out)));
}

INSTANTIATE_TEST_SUITE_P(Examples, ToolchainImage,
                         testing::Values("blink-atmega8.hex", "blink-atmega8.eep",
                                         "tables-atmega328p.hex"));
