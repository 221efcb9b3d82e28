#include "OutputBuffer.h"

namespace pagora::info {

void OutputBuffer::WriteOut() {
    if (!text_.empty() && !failed_ &&
        std::fwrite(text_.data(), 1, text_.size(), stream_) != text_.size()) {
        failed_ = true;
    }
    text_.clear();
}

bool OutputBuffer::Finish() {
    WriteOut();
    if (!failed_ && std::fflush(stream_) != 0) {
        failed_ = true;
    }
    return !failed_;
}

} // namespace pagora::info
