#pragma once

#include "THexLine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pagora {

// How the reader takes the lines of a file. Fast: a line of the most common shape (a record of
// 16 bytes at a line's first address, its checksum and an LF or CR LF) is recognised and laid in
// one step, every other line as General reads it. General: every line is split at its break
// and read field by field. Both give the same store or the same error; General is the plain
// path that the tests and the fuzzer hold the fast one against.
enum class ReadPath : std::uint8_t { Fast, General };

// The loaded image as an ordered, owning list of 16-byte lines; line i covers the addresses
// 16*i to 16*i+15. The lines sit in one block of memory: a prefilled blank line is all-zero
// memory, so prefilling the whole 4 MiB span costs one zeroed allocation and no per-line work.
class THexContainer {
public:
    static constexpr std::uint32_t kPrefillTop = 0x400000;             // last line's address
    static constexpr std::size_t kPrefillLines = kPrefillTop / 16 + 1; // 262,145

    THexContainer() = default;
    ~THexContainer();
    THexContainer(const THexContainer& other);
    THexContainer& operator=(const THexContainer& other);
    THexContainer(THexContainer&& other) noexcept;
    THexContainer& operator=(THexContainer&& other) noexcept;
    friend void swap(THexContainer& a, THexContainer& b) noexcept;

    // The usual list operations.
    std::size_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    THexLine& Items(std::size_t index) { return lines_[index]; }
    const THexLine& Items(std::size_t index) const { return lines_[index]; }
    THexLine& operator[](std::size_t index) { return lines_[index]; }
    const THexLine& operator[](std::size_t index) const { return lines_[index]; }
    // Index of a line of this store, or -1.
    std::ptrdiff_t IndexOf(const THexLine* line) const;
    // Appends a copy of line; returns its index.
    std::size_t Add(const THexLine& line);
    // Deletes the line at index; the lines after it move up but keep their Address.
    void Delete(std::size_t index);
    void Clear();

    // Address of the line's first byte as upper-case hex without leading zeros; "" for a line
    // appended by FitToSize.
    std::string Address(std::size_t index) const;
    bool AddressEmpty(std::size_t index) const {
        return (lines_[index].flags_ & THexLine::kAddressEmpty) != 0;
    }
    // The numeric address (0 for an empty Address).
    std::uint32_t AddressValue(std::size_t index) const;

    // Appends the blank lines of the whole prefilled span (addresses 0 to 0x400000).
    void Prefill();
    // The line that holds an address given as hex text; EListError beyond the last line.
    THexLine& FindLine(std::string_view addressText);
    // Index of the line that holds an address; EListError beyond the last line.
    std::size_t FindLineIndex(std::uint32_t address) const;
    // The line after the given one, or nullptr for the last line or a line not in the store.
    THexLine* NextLine(const THexLine* line);
    // Makes the store end exactly at the line of highestAddress without dropping Used lines.
    void FitToSize(std::int32_t highestAddress);

    // Reads an Intel HEX file into the store. On any error the store is left as it was.
    void LoadFromHexFile(const std::string& fileName, ReadPath path = ReadPath::Fast);
    // The same for a file's whole content already in memory.
    void LoadFromHexText(std::string_view text, ReadPath path = ReadPath::Fast);
    // The same for a text that read hands over in pieces: read(buffer, size) puts up to size
    // characters into buffer and returns how many, 0 at the end. pieceSize is the size of the
    // buffer; a longer line makes it grow.
    void LoadFromHexPieces(const std::function<std::size_t(char*, std::size_t)>& read,
                           std::size_t pieceSize = kPieceSize, ReadPath path = ReadPath::Fast);
    static constexpr std::size_t kPieceSize = std::size_t{64} * 1024;

    friend bool operator==(const THexContainer& a, const THexContainer& b);

private:
    friend class HexReader;
    void Reserve(std::size_t capacity);
    // Grows the store by n all-zero lines (blank prefilled lines).
    void AppendZeroed(std::size_t n);
    void Truncate(std::size_t count);

    THexLine* lines_ = nullptr;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace pagora
