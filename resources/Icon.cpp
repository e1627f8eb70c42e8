// Icons: the first image of an icon group, decoded from its DIB and mask.
#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

namespace {

constexpr std::int32_t kMaxSide = 256;

std::size_t RowBytes(std::int32_t width, int bitCount) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
}

// Picture bits of pixel x of a row, for depths of 1, 4 and 8 bits.
unsigned PaletteIndex(std::span<const std::uint8_t> row, std::int32_t x, int bitCount) {
    const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitCount);
    const unsigned byte = row[bit / 8];
    const unsigned shift = 8 - static_cast<unsigned>(bitCount) - static_cast<unsigned>(bit % 8);
    return (byte >> shift) & ((1u << bitCount) - 1);
}

std::optional<IconImage> DecodeDib(std::span<const std::uint8_t> data) {
    ByteReader r(data);
    const std::uint32_t headerSize = r.U32();
    const auto width = static_cast<std::int32_t>(r.U32());
    const auto height = static_cast<std::int32_t>(r.U32());
    r.U16();  // planes
    const int bitCount = r.U16();
    const std::uint32_t compression = r.U32();
    r.Skip(12);  // image size, resolution
    const std::uint32_t colorsUsed = r.U32();
    // PNG-compressed images and other encodings are not decoded.
    if (!r.ok() || headerSize < 40 || headerSize > data.size() || compression != 0 || width <= 0 ||
        width > kMaxSide || height <= 0 || height > 2 * kMaxSide || height % 2 != 0) {
        return std::nullopt;
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
        return std::nullopt;
    }
    const std::int32_t rows = height / 2;  // the stored height counts colour and mask rows

    std::vector<std::uint32_t> palette;
    r.Seek(headerSize);
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        const std::uint32_t colors = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
        palette.resize(full, 0xFF000000);
        for (std::uint32_t i = 0; i < colors; ++i) {
            const std::uint32_t bgrx = r.U32();
            palette[i] = 0xFF000000 | (bgrx & 0x00FFFFFF);
        }
    }
    const std::size_t colorStride = RowBytes(width, bitCount);
    const std::size_t maskStride = RowBytes(width, 1);
    const auto colorData = r.Bytes(colorStride * static_cast<std::size_t>(rows));
    const auto maskData = r.Bytes(maskStride * static_cast<std::size_t>(rows));
    if (!r.ok()) {
        return std::nullopt;
    }

    bool hasAlpha = false;
    if (bitCount == 32) {
        for (std::size_t i = 3; i < colorData.size(); i += 4) {
            hasAlpha = hasAlpha || colorData[i] != 0;
        }
    }

    IconImage icon;
    icon.width = width;
    icon.height = rows;
    icon.bitCount = bitCount;
    icon.raw.assign(data.begin(), data.end());
    icon.argb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
    for (std::int32_t y = 0; y < rows; ++y) {
        // DIB rows are stored bottom-up.
        const auto stored = static_cast<std::size_t>(rows - 1 - y);
        const auto row = colorData.subspan(stored * colorStride, colorStride);
        const auto mask = maskData.subspan(stored * maskStride, maskStride);
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t argb = 0;
            const auto px = static_cast<std::size_t>(x);
            if (bitCount <= 8) {
                argb = palette[PaletteIndex(row, x, bitCount)];
            } else {
                const std::size_t step = static_cast<std::size_t>(bitCount) / 8;
                const auto p = row.subspan(px * step, step);
                const std::uint32_t alpha = hasAlpha ? p[3] : 0xFF;
                argb =
                    (alpha << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
            }
            const bool clear = (PaletteIndex(mask, x, 1)) != 0;
            if (clear && !hasAlpha) {
                argb = 0;  // a set mask bit shows what lies behind the icon
            }
            icon.argb.push_back(argb);
        }
    }
    return icon;
}

}  // namespace

std::optional<IconImage> LoadIcon(const Module& m, std::uint16_t groupId) {
    const auto group = m.Find(kTypeGroupIcon, groupId);
    if (!group) {
        return std::nullopt;
    }
    ByteReader r(*group);
    const std::uint16_t reserved = r.U16();
    const std::uint16_t type = r.U16();
    const std::uint16_t count = r.U16();
    r.Skip(12);  // the first entry's size, planes, depth and byte count
    const std::uint16_t imageId = r.U16();
    if (!r.ok() || reserved != 0 || type != 1 || count == 0) {
        return std::nullopt;
    }
    const auto image = m.Find(kTypeIcon, imageId);
    if (!image) {
        return std::nullopt;
    }
    return DecodeDib(*image);
}

}  // namespace tarvix::res
