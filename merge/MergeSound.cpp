#include "MergeSound.h"

#include <optional>

#include "FileStream.h"
#include "SoundBuffer.h"

namespace {

// The sound stream's positions are 32 bits wide and the all-ones value means failure, so an
// end at 2^32 - 1 bytes or beyond cannot be reached.
constexpr std::int64_t SOUND_END_LIMIT = 0xFFFFFFFE;

// What one merge acquires. Members are destroyed in reverse order, so even an exception from
// the report action releases program, sound, buffer in that order.
struct Held {
    std::optional<SoundBuffer> buffer;
    std::optional<FileStream> sound;
    std::optional<FileStream> program;
};

// Steps 1 to 11: the first step that fails decides the outcome.
unsigned Merge(const char* programPath, const char* soundPath, std::int32_t sector, Held& held) {
    // 1, 2. Both paths given; nothing is opened otherwise.
    if (programPath[0] == '\0') {
        return IDS_NO_PROGRAM_FILE;
    }
    if (soundPath[0] == '\0') {
        return IDS_NO_SOUND_FILE;
    }

    // 3. The program file, held exclusively from here on.
    held.program = FileStream::OpenForUpdate(programPath);
    if (!held.program) {
        return IDS_PROGRAM_OPEN_FAILED;
    }

    // 4. The merge position: inside the program file or at its very end.
    const std::int64_t position = std::int64_t{sector} * SECTOR_SIZE;
    const std::optional<std::int64_t> programSize = held.program->SeekToEnd();
    if (position < 0 || !programSize || position > *programSize || !held.program->Seek(position)) {
        return IDS_POSITION_BEYOND_END;
    }

    // 5. The sound file, held against writers from here on.
    held.sound = FileStream::OpenForReading(soundPath);
    if (!held.sound) {
        return IDS_SOUND_OPEN_FAILED;
    }

    // 6. The sound's end.
    const std::optional<std::int64_t> soundEnd = held.sound->SeekToEnd();
    if (!soundEnd || *soundEnd > SOUND_END_LIMIT) {
        return IDS_SOUND_READ_FAILED;
    }

    // 7. The sound size as a signed 32-bit count: from 2^31 bytes on it is negative.
    const auto soundSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(*soundEnd));

    // 8. One buffer of exactly the sound's size. A size that cannot be represented cannot be
    // obtained either.
    if (soundSize < 0) {
        return IDS_OUT_OF_MEMORY;
    }
    const auto size = static_cast<std::size_t>(soundSize);
    held.buffer = SoundBuffer::Obtain(size);
    if (!held.buffer) {
        return IDS_OUT_OF_MEMORY;
    }

    // 9, 10. Back to the start, and the whole sound in one read. An empty sound reads nothing.
    if (!held.sound->Seek(0) || size == 0) {
        return IDS_SOUND_READ_FAILED;
    }
    FileStream& sound = *held.sound;
    const auto read = [&sound](std::byte* data, std::size_t count) {
        return sound.Read(data, count);
    };
    if (held.buffer->Fill(read) != size) {
        return IDS_SOUND_READ_FAILED;
    }

    // 11. The whole sound in one write at the position, and on storage before success is
    // reported: the user may remove the device's card as soon as the message appears.
    if (held.program->Write(held.buffer->Data(), size) != size || !held.program->Commit()) {
        return IDS_PROGRAM_WRITE_FAILED;
    }
    return IDS_MERGE_DONE;
}

}  // namespace

unsigned MergeSound(const char* programPath, const char* soundPath, std::int32_t sector,
                    const ReportAction& report) {
    Held held;
    const unsigned outcome = Merge(programPath, soundPath, sector, held);

    // 12. The one report, while everything acquired is still held.
    report(outcome);

    // 13. Release: program file, sound file, buffer.
    held.program.reset();
    held.sound.reset();
    held.buffer.reset();
    return outcome;
}
