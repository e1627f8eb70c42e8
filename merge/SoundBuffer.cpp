// SoundBuffer on every platform; the pages themselves come from SoundBufferPosix.cpp or
// SoundBufferWin.cpp.
#include "SoundBuffer.h"

#include <utility>

std::optional<SoundBuffer> SoundBuffer::Obtain(std::size_t size) {
    if (size == 0) {
        return SoundBuffer(nullptr, 0);
    }
    std::byte* data = AllocatePages(size);
    if (data == nullptr) {
        return std::nullopt;
    }
    return SoundBuffer(data, size);
}

std::size_t SoundBuffer::Fill(const FillAction& fill) {
    return m_size == 0 ? 0 : FillPages(fill);
}

SoundBuffer::SoundBuffer(SoundBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)) {}

SoundBuffer& SoundBuffer::operator=(SoundBuffer&& other) noexcept {
    std::swap(m_data, other.m_data);
    std::swap(m_size, other.m_size);
    return *this;
}

SoundBuffer::~SoundBuffer() {
    if (m_data != nullptr) {
        FreePages(m_data, m_size);
    }
}
