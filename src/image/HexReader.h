#pragma once

#include "THexContainer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pagora {

// Lays the records of an Intel HEX text onto a freshly prefilled store. The text may come in
// pieces: each piece is read up to its last whole line, and the caller hands the rest again
// at the start of the next piece.
class HexReader {
public:
    explicit HexReader(THexContainer& store, ReadPath path = ReadPath::Fast)
        : store_(store), path_(path) {}

    // Reads the lines that text holds whole and returns how many characters they took. With
    // last, text is the end of the file and everything is read. Raises the reader's errors.
    std::size_t Feed(std::string_view text, bool last);
    // After the end-of-file record, nothing more is read.
    bool Ended() const { return ended_; }
    // Cuts the store back after the last line with data; what remains belongs to the image.
    void Finish();

private:
    std::size_t WholeLineRecord(const char* p, std::size_t left);
    bool Record(std::string_view line);
    void LayWholeLine(std::uint32_t address, const char* chars);
    void Lay(std::uint32_t address, int offset, int count, std::string_view data);

    THexContainer& store_;
    ReadPath path_;
    std::uint32_t base_ = 0;
    std::size_t lines_ = 0; // lines up to and including the last that received data
    bool started_ = false;  // the start of the file has been seen
    bool ended_ = false;
};

} // namespace pagora
