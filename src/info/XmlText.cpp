#include "XmlText.h"

namespace pagora::info {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD

// The length of the UTF-8 sequence starting text[i] when it is one XML allows, else 0.
std::size_t AllowedSequence(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return (lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r') ? 1 : 0;
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    const bool shortest =
        (length == 2) || (length == 3 && code >= 0x800) || (length == 4 && code >= 0x10000);
    const bool allowed =
        code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
    return shortest && allowed ? length : 0;
}

} // namespace

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = AllowedSequence(text, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        switch (text[i]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

} // namespace pagora::info
