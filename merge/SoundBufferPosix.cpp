// SoundBuffer's pages on POSIX: an anonymous mapping of exactly the sound's size.
#include <sys/mman.h>

#include "SoundBuffer.h"

std::byte* SoundBuffer::AllocatePages(std::size_t size) {
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) {
        return nullptr;
    }
    // Faulting the buffer in page by page while the read fills it costs several times the copy
    // itself; on virtual machines the first touch of fresh memory is dear. Huge pages take a
    // 512th of the faults, and each is cleared just before the read overwrites it, while still
    // in the cache. Populating the whole buffer up front (MAP_POPULATE) measured slower.
    madvise(data, size, MADV_HUGEPAGE);
    return static_cast<std::byte*>(data);
}

void SoundBuffer::FreePages(std::byte* data, std::size_t size) {
    munmap(data, size);
}
