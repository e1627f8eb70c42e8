#include "ByteReader.h"

namespace tarvix::res {

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string Utf16ToUtf8(std::span<const std::uint8_t> utf16le) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(utf16le.size() / 2 * 3);
    const std::size_t units = utf16le.size() / 2;
    auto unit = [&](std::size_t i) -> std::uint32_t {
        return utf16le[2 * i] | (static_cast<std::uint32_t>(utf16le[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
    }
    return out;
}

bool ByteReader::Need(std::size_t n) {
    if (!ok_ || n > data_.size() - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

void ByteReader::Seek(std::size_t pos) {
    if (pos > data_.size()) {
        ok_ = false;
    } else if (ok_) {
        pos_ = pos;
    }
}

void ByteReader::Skip(std::size_t n) {
    if (Need(n)) {
        pos_ += n;
    }
}

void ByteReader::AlignTo4() {
    Skip((4 - (pos_ & 3)) & 3);
}

std::uint8_t ByteReader::U8() {
    if (!Need(1)) {
        return 0;
    }
    return data_[pos_++];
}

std::uint16_t ByteReader::U16() {
    if (!Need(2)) {
        return 0;
    }
    const std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::U32() {
    if (!Need(4)) {
        return 0;
    }
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | data_[pos_ + static_cast<std::size_t>(i)];
    }
    pos_ += 4;
    return v;
}

std::span<const std::uint8_t> ByteReader::Bytes(std::size_t n) {
    if (!Need(n)) {
        return {};
    }
    auto out = data_.subspan(pos_, n);
    pos_ += n;
    return out;
}

std::string ByteReader::Sz() {
    const std::size_t start = pos_;
    while (ok_) {
        if (U16() == 0) {
            break;
        }
    }
    if (!ok_) {
        return {};
    }
    return Utf16ToUtf8(data_.subspan(start, pos_ - 2 - start));
}

NameOrOrdinal ByteReader::SzOrOrd() {
    NameOrOrdinal out;
    if (!Need(2)) {
        return out;
    }
    if (data_[pos_] == 0xFF && data_[pos_ + 1] == 0xFF) {
        pos_ += 2;
        out.isOrdinal = true;
        out.ordinal = U16();
    } else {
        out.text = Sz();
    }
    return out;
}

}  // namespace tarvix::res
