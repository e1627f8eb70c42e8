// The one block of memory that holds a whole sound between its read and its write.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>

class SoundBuffer {
  public:
    // A buffer of exactly size bytes; nothing when the memory cannot be obtained.
    // A size of 0 gives a valid, empty buffer.
    static std::optional<SoundBuffer> Obtain(std::size_t size);

    SoundBuffer(SoundBuffer&& other) noexcept;
    SoundBuffer& operator=(SoundBuffer&& other) noexcept;
    ~SoundBuffer();

    std::byte* Data() const { return m_data; }

    // Fills the whole buffer with one call of fill(data, size), which returns the bytes it
    // placed, and returns that count.
    using FillAction = std::function<std::size_t(std::byte* data, std::size_t size)>;
    std::size_t Fill(const FillAction& fill);

  private:
    SoundBuffer(std::byte* data, std::size_t size) : m_data(data), m_size(size) {}

    // Per platform: size (> 0) bytes of fresh pages, or null; and their return as a whole.
    static std::byte* AllocatePages(std::size_t size);
    static void FreePages(std::byte* data, std::size_t size);
    // Per platform: runs fill over the whole buffer, speeding up the first touch of its pages
    // where the platform can.
    std::size_t FillPages(const FillAction& fill);

    std::byte* m_data;
    std::size_t m_size;
};
