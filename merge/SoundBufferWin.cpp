// SoundBuffer on Windows: committed pages of exactly the sound's size, returned to the system
// as a whole when the buffer is freed.
#include <windows.h>

#include <utility>

#include "SoundBuffer.h"

std::optional<SoundBuffer> SoundBuffer::Obtain(std::size_t size) {
    if (size == 0) {
        return SoundBuffer(nullptr, 0);
    }
    void* data = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (data == nullptr) {
        return std::nullopt;
    }
    return SoundBuffer(static_cast<std::byte*>(data), size);
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
        VirtualFree(m_data, 0, MEM_RELEASE);
    }
}
