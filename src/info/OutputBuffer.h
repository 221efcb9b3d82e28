#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace pagora::info {

// Collects text and writes it to a stream in large blocks; remembers whether every write
// reached the stream.
class OutputBuffer {
public:
    // The text grows as it comes: a summary is a few hundred bytes, and reserving a whole
    // block for it would touch fresh memory for nothing.
    explicit OutputBuffer(std::FILE* stream) : stream_(stream) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    ~OutputBuffer() { Finish(); }

    void Append(std::string_view text) {
        text_.append(text);
        if (text_.size() >= kBlock) {
            WriteOut();
        }
    }
    void Append(char c) {
        text_.push_back(c);
        if (text_.size() >= kBlock) {
            WriteOut();
        }
    }

    // Writes what is left and flushes the stream; false when any write failed.
    bool Finish();

private:
    static constexpr std::size_t kBlock = 1 << 16;
    void WriteOut();

    std::FILE* stream_;
    std::string text_;
    bool failed_ = false;
};

} // namespace pagora::info
