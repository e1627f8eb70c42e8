// SoundBuffer on POSIX: an anonymous mapping of exactly the sound's size.
#include <sys/mman.h>

#include <utility>

#include "SoundBuffer.h"

std::optional<SoundBuffer> SoundBuffer::Obtain(std::size_t size) {
    if (size == 0) {
        return SoundBuffer(nullptr, 0);
    }
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) {
        return std::nullopt;
    }
    // Faulting the buffer in page by page while the read fills it costs several times the copy
    // itself; on virtual machines the first touch of fresh memory is dear. Huge pages take a
    // 512th of the faults, and each is cleared just before the read overwrites it, while still
    // in the cache. Populating the whole buffer up front (MAP_POPULATE) measured slower.
    madvise(data, size, MADV_HUGEPAGE);
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
        munmap(m_data, m_size);
    }
}
