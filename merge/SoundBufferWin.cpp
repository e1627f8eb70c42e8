// SoundBuffer's pages on Windows: committed pages of exactly the sound's size, returned to
// the system as a whole when the buffer is freed.
#include <windows.h>

#include "SoundBuffer.h"

std::byte* SoundBuffer::AllocatePages(std::size_t size) {
    return static_cast<std::byte*>(
        VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void SoundBuffer::FreePages(std::byte* data, std::size_t) {
    VirtualFree(data, 0, MEM_RELEASE);
}

std::size_t SoundBuffer::FillPages(const FillAction& fill) {
    return fill(m_data, m_size);
}
