#include "fw/DlgText.h"

#include <cstdint>
#include <cstring>

namespace fw {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

UINT ParseDlgInt(std::string_view text, bool isSigned, bool* ok) {
    if (ok != nullptr) {
        *ok = false;
    }
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || (isSigned && text[i] == '-'))) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digitsStart = i;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > 0xFFFFFFFFull) {
            return 0;  // beyond every 32-bit range; also keeps the sum from overflowing
        }
    }
    if (i == digitsStart) {
        return 0;
    }
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return 0;
    }
    std::uint32_t value;
    if (isSigned) {
        const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
        if (magnitude > limit) {
            return 0;
        }
        value = negative ? static_cast<std::uint32_t>(0u - static_cast<std::uint32_t>(magnitude))
                         : static_cast<std::uint32_t>(magnitude);
    } else {
        value = static_cast<std::uint32_t>(magnitude);
    }
    if (ok != nullptr) {
        *ok = true;
    }
    return value;
}

std::string FormatDlgInt(UINT value, bool isSigned) {
    return isSigned ? std::to_string(static_cast<std::int32_t>(value)) : std::to_string(value);
}

int CopyDlgText(std::string_view text, char* buffer, int count) {
    if (buffer == nullptr || count < 1) {
        return 0;
    }
    std::size_t n = text.size();
    if (n > static_cast<std::size_t>(count - 1)) {
        n = static_cast<std::size_t>(count - 1);
        // Back off continuation bytes so the cut falls before a character's first byte.
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
            --n;
        }
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace fw
