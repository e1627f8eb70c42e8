// SoundBuffer's pages on POSIX: an anonymous mapping of exactly the sound's size.
#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "SoundBuffer.h"

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels refuse it and the helper stops
#endif

std::byte* SoundBuffer::AllocatePages(std::size_t size) {
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED) {
        return nullptr;
    }
    return static_cast<std::byte*>(data);
}

void SoundBuffer::FreePages(std::byte* data, std::size_t size) {
    munmap(data, size);
}

// The first touch of fresh memory is most of the read's time, above all on virtual machines
// whose host takes freed memory back and must supply it anew. While the read copies into the
// buffer, a helper on another processor populates it ahead of the copy, from the front, so the
// copy mostly finds its pages there. Populating never changes a page that is already there,
// so the helper cannot spoil bytes the read has placed. Ordinary pages, not huge ones: on such
// a host, huge pages made the first touch dearer on the whole and far less even.
constexpr std::size_t POPULATE_STEP = 8 << 20;

std::size_t SoundBuffer::FillPages(const FillAction& fill) {
    std::atomic<bool> filled = false;
    std::thread helper;
    if (m_size > POPULATE_STEP) {
        try {
            helper = std::thread([this, &filled] {
                for (std::size_t start = 0; start < m_size && !filled.load();
                     start += POPULATE_STEP) {
                    const std::size_t count = std::min(POPULATE_STEP, m_size - start);
                    if (madvise(m_data + start, count, MADV_POPULATE_WRITE) != 0) {
                        break;
                    }
                }
            });
        } catch (const std::system_error&) {
        }
    }
    const std::size_t placed = fill(m_data, m_size);
    filled = true;
    if (helper.joinable()) {
        helper.join();
    }
    return placed;
}
