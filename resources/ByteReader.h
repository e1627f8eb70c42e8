// Bounds-checked little-endian reading of untrusted resource bytes.
//
// A failed read does not throw: it marks the reader as failed, returns zeros
// and leaves every later read failing too, so a parser checks ok() once at the
// points where it matters instead of after every field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "Resources.h"

namespace tarvix::res {

// UTF-16LE code units to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::span<const std::uint8_t> utf16le);

class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> data, std::size_t pos = 0)
        : data_(data), pos_(pos), ok_(pos <= data.size()) {}

    bool ok() const { return ok_; }
    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return ok_ ? data_.size() - pos_ : 0; }

    void Seek(std::size_t pos);
    void Skip(std::size_t n);
    // To the next multiple of four from the start of the data.
    void AlignTo4();

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::span<const std::uint8_t> Bytes(std::size_t n);

    // A zero-terminated UTF-16 text, as UTF-8; fails without a terminator.
    std::string Sz();
    // 0xFFFF and an ordinal, or a zero-terminated text (0x0000 alone: empty text).
    NameOrOrdinal SzOrOrd();

  private:
    bool Need(std::size_t n);

    std::span<const std::uint8_t> data_;
    std::size_t pos_;
    bool ok_;
};

// n rounded up to a multiple of four; false when that overflows.
inline bool AlignUp4(std::size_t n, std::size_t& out) {
    if (n > SIZE_MAX - 3) {
        return false;
    }
    out = (n + 3) & ~static_cast<std::size_t>(3);
    return true;
}

}  // namespace tarvix::res
