#include "THexLine.h"

#include "HexToInt.h"

#include <algorithm>
#include <cstring>

namespace pagora {

std::string THexLine::Count() const {
    if (CountEmpty()) {
        return {};
    }
    return ToHex(count_);
}

void THexLine::SetCount(int count) {
    count_ = static_cast<std::uint16_t>(std::clamp(count, 0, 0xFFFF));
    flags_ &= ~kCountEmpty;
}

void THexLine::SetCountEmpty() {
    count_ = 0;
    flags_ |= kCountEmpty;
}

void THexLine::SetData(std::string_view text) {
    dataLen_ = 0;
    WriteData(0, text);
}

int THexLine::WriteData(int pos, std::string_view text) {
    if (pos < 0 || pos >= kDataChars) {
        return 0;
    }
    if (dataLen_ < pos) {
        std::memset(data_ + dataLen_, 'F', static_cast<std::size_t>(pos - dataLen_));
        dataLen_ = static_cast<std::uint8_t>(pos);
    }
    const int n = std::min<int>(static_cast<int>(text.size()), kDataChars - pos);
    if (n > 0) { // an empty field's view may hold no pointer at all
        std::memcpy(data_ + pos, text.data(), static_cast<std::size_t>(n));
    }
    dataLen_ = static_cast<std::uint8_t>(std::max<int>(dataLen_, pos + n));
    return n;
}

} // namespace pagora
