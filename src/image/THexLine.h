#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pagora {

// One line of 16 bytes of the loaded image. Each byte is kept as the two characters the file
// wrote, inline: a line owns no heap memory, and an all-zero line is a blank prefilled line
// (Count "0", no data, not Used). Where a line stands (its Address) is the store's business.
class THexLine {
public:
    static constexpr int kBytesPerLine = 16;
    static constexpr int kDataChars = 2 * kBytesPerLine;

    // Count as text: hexadecimal without leading zeros, "" for a line appended by FitToSize.
    std::string Count() const;
    // Count as a number; an empty Count reads as 0.
    int CountValue() const { return count_; }
    bool CountEmpty() const { return (flags_ & kCountEmpty) != 0; }

    // The bytes held, two characters each, as the file wrote them.
    std::string_view Data() const { return {data_, dataLen_}; }
    int DataLength() const { return dataLen_; }

    bool Used() const { return (flags_ & kUsed) != 0; }
    void SetUsed(bool used) { flags_ = used ? (flags_ | kUsed) : (flags_ & ~kUsed); }

    // Text of byte n (1..16): "FF" for a byte the line does not hold, one character where
    // Data ends after the first. The view stays valid as long as the line does.
    std::string_view GetByteText(int n) const {
        if (n < 1 || n > count_) {
            return kBlank;
        }
        const int first = 2 * n - 2;
        if (first >= dataLen_) {
            return kBlank;
        }
        return {data_ + first, first + 1 < dataLen_ ? 2u : 1u};
    }

    // Sets Count from a number (kept as given, up to 0xFFFF) or marks it empty.
    void SetCount(int count);
    void SetCountEmpty();
    // Replaces the data with up to 32 characters of text.
    void SetData(std::string_view text);
    // A Used line of 16 bytes from the 32 characters at chars, with its address following its
    // index: what a record of 16 bytes at a line's first address makes of a line of a freshly
    // prefilled store, whatever the line held. Built whole, so that storing it reads nothing
    // of the line it replaces.
    static THexLine Whole(const char* chars) {
        THexLine line;
        std::memcpy(line.data_, chars, kDataChars);
        line.count_ = kBytesPerLine;
        line.dataLen_ = kDataChars;
        line.flags_ = kUsed;
        return line;
    }
    // Writes text at character position pos (filling the gap before it with 'F'), extending
    // Data as far as needed; characters past 32 are not written. Returns how many were.
    int WriteData(int pos, std::string_view text);

    // Equal when Count, Data, Used and the address markings agree.
    friend bool operator==(const THexLine& a, const THexLine& b) {
        return a.count_ == b.count_ && a.flags_ == b.flags_ && a.Data() == b.Data() &&
               ((a.flags_ & kAddressSet) == 0 || a.address_ == b.address_);
    }

private:
    friend class THexContainer;

    static constexpr std::string_view kBlank = "FF";
    static constexpr std::uint8_t kUsed = 1;
    static constexpr std::uint8_t kCountEmpty = 2;   // appended by FitToSize: Count ""
    static constexpr std::uint8_t kAddressEmpty = 4; // appended by FitToSize: Address ""
    static constexpr std::uint8_t kAddressSet = 8;   // address_ holds the address

    char data_[kDataChars]{};
    std::uint16_t count_{0};
    std::uint8_t dataLen_{0};
    std::uint8_t flags_{0};
    std::uint32_t address_{0}; // valid with kAddressSet; otherwise the address follows the index
};

} // namespace pagora
