// Any text read as an Intel HEX file: the reader either fills the store or raises one of its
// own errors, and a failed read leaves the previous image untouched.
#include "image/Errors.h"
#include "image/THexContainer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace pagora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static THexContainer previous = [] {
        THexContainer store;
        store.LoadFromHexText(":10000000000102030405060708090A0B0C0D0E0F78\n");
        return store;
    }();
    THexContainer store = previous;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        store.LoadFromHexText(text);
    } catch (const EConvertError&) {
        if (!(store == previous)) {
            std::abort();
        }
        return 0;
    } catch (const EListError&) {
        if (!(store == previous)) {
            std::abort();
        }
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
