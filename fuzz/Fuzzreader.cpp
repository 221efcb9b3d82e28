// Any text read as an Intel HEX file: the reader either fills the store or raises one of its
// own errors, and a failed read leaves the previous image untouched. The same text read on the
// general path alone, and read in small pieces as a file is read, gives the same store or the
// same error.
#include "image/Errors.h"
#include "image/THexContainer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace pagora;

namespace {

// The text read in pieces of a size taken from the text itself, each read handing over a few
// characters at most; the error's text, or "" and the store.
std::string ReadInPieces(std::string_view text, THexContainer& store, ReadPath path) {
    const std::size_t pieceSize = text.empty() ? 1 : 1 + static_cast<unsigned char>(text[0]) % 61;
    const std::size_t grain = text.empty() ? 1 : 1 + static_cast<unsigned char>(text.back()) % 7;
    std::size_t at = 0;
    try {
        store.LoadFromHexPieces(
            [&](char* buffer, std::size_t wanted) {
                const std::size_t n = std::min({wanted, grain, text.size() - at});
                text.copy(buffer, n, at);
                at += n;
                return n;
            },
            pieceSize, path);
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static THexContainer previous = [] {
        THexContainer store;
        store.LoadFromHexText(":10000000000102030405060708090A0B0C0D0E0F78\n");
        return store;
    }();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The plain way: the whole text on the general path.
    THexContainer general = previous;
    std::string generalError;
    try {
        general.LoadFromHexText(text, ReadPath::General);
    } catch (const EConvertError& error) {
        generalError = error.what();
    } catch (const EListError& error) {
        generalError = error.what();
    }
    if (!generalError.empty() && !(general == previous)) {
        std::abort();
    }
    // Every other way gives the same.
    THexContainer store = previous;
    std::string storeError;
    try {
        store.LoadFromHexText(text, ReadPath::Fast);
    } catch (const std::exception& error) {
        storeError = error.what();
    }
    if (storeError != generalError || !(store == general)) {
        std::abort();
    }
    for (ReadPath path : {ReadPath::Fast, ReadPath::General}) {
        THexContainer pieces = previous;
        if (ReadInPieces(text, pieces, path) != generalError || !(pieces == general)) {
            std::abort();
        }
    }
    if (!generalError.empty()) {
        return 0;
    }
    // A read image: every line Used, never beyond the prefilled span, bytes within a line.
    if (store.Count() > THexContainer::kPrefillLines) {
        std::abort();
    }
    for (std::size_t i = 0; i < store.Count(); ++i) {
        const THexLine& line = store[i];
        if (!line.Used() || line.DataLength() > 32 || line.CountValue() < line.DataLength() / 2) {
            std::abort();
        }
        for (int n = 1; n <= 16; ++n) {
            if (line.GetByteText(n).size() > 2) {
                std::abort();
            }
        }
    }
    if (store.Count() > 0 && store.AddressValue(store.Count() - 1) != (store.Count() - 1) * 16) {
        std::abort();
    }
    return 0;
}
