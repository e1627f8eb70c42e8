// Every outcome of a merge: the identifier, what was held while it was reported, and the
// program file's bytes afterwards.
#include <sys/stat.h>

#include <algorithm>

#include "MergeSound.h"
#include "MergeTestSupport.h"

namespace {

constexpr std::size_t PROGRAM_SIZE = (3 << 20) + 100;
constexpr std::size_t SOUND_SIZE = (1 << 20) + 5;

struct Request {
    std::string program;
    std::string sound;
    std::int32_t sector = 0;
};

// Each setup starts from a program file of PROGRAM_SIZE bytes ("program.txt") and a sound
// file of SOUND_SIZE bytes ("sound.wav") and returns the request to make.
struct Row {
    const char* name;
    std::function<Request(const ScratchDir&)> setup;
    unsigned id;
    Held held;
};

const Held NOTHING{false, false, false};
const Held PROGRAM{true, false, false};
const Held FILES{true, true, false};
const Held ALL{true, true, true};

Request Default(const ScratchDir& dir, std::int32_t sector = 2) {
    return {dir / "program.txt", dir / "sound.wav", sector};
}

Request WithSound(const ScratchDir& dir, const Bytes& sound, std::int32_t sector) {
    WriteFile(dir / "sound.wav", sound);
    return Default(dir, sector);
}

Request WithSparseSound(const ScratchDir& dir, std::int64_t size) {
    MakeSparse(dir / "sound.wav", size);
    return Default(dir);
}

const std::vector<Row> ROWS = {
    {"BothPathsEmpty",
     [](const ScratchDir&) {
         return Request{"", "", 0};
     },
     IDS_NO_PROGRAM_FILE, NOTHING},
    {"SoundPathEmptyAndProgramMissing",
     [](const ScratchDir& d) {
         return Request{d / "missing.txt", "", 0};
     },
     IDS_NO_SOUND_FILE, NOTHING},
    {"ProgramMissing",
     [](const ScratchDir& d) {
         return Request{d / "missing.txt", d / "sound.wav", 0};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramReadOnly",
     [](const ScratchDir& d) {
         chmod((d / "program.txt").c_str(), 0444);
         return Default(d);
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramIsDirectory",
     [](const ScratchDir& d) {
         return Request{d / "", d / "sound.wav", 0};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramIsFifo",
     [](const ScratchDir& d) {
         mkfifo((d / "fifo").c_str(), 0644);
         return Request{d / "fifo", d / "sound.wav", 0};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramIsDevice",
     [](const ScratchDir& d) {
         return Request{"/dev/null", d / "sound.wav", 0};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"NegativeSector", [](const ScratchDir& d) { return Default(d, -1); }, IDS_POSITION_BEYOND_END,
     PROGRAM},
    {"LowestSector", [](const ScratchDir& d) { return Default(d, INT32_MIN); },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"PositionBeyondEnd", [](const ScratchDir& d) { return Default(d, PROGRAM_SIZE / 512 + 1); },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"PositionBeyondEndWithSoundMissing",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "missing.wav", PROGRAM_SIZE / 512 + 1};
     },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"HighestSector", [](const ScratchDir& d) { return Default(d, INT32_MAX); },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"SoundMissing",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "missing.wav", 0};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundIsDirectory",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "", 0};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundIsFifo",
     [](const ScratchDir& d) {
         mkfifo((d / "fifo").c_str(), 0644);
         return Request{d / "program.txt", d / "fifo", 0};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundIsDevice",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", "/dev/zero", 0};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"BothPathsNameTheProgram",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "program.txt", 0};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundOf4GiBMinus1", [](const ScratchDir& d) { return WithSparseSound(d, 0xFFFFFFFF); },
     IDS_SOUND_READ_FAILED, FILES},
    {"SoundOf5GiB", [](const ScratchDir& d) { return WithSparseSound(d, 5LL << 30); },
     IDS_SOUND_READ_FAILED, FILES},
    {"SoundOf2GiB", [](const ScratchDir& d) { return WithSparseSound(d, 1LL << 31); },
     IDS_OUT_OF_MEMORY, FILES},
    {"SoundOf4GiBMinus2", [](const ScratchDir& d) { return WithSparseSound(d, 0xFFFFFFFE); },
     IDS_OUT_OF_MEMORY, FILES},
    {"SoundEmpty", [](const ScratchDir& d) { return WithSound(d, {}, 2); }, IDS_SOUND_READ_FAILED,
     ALL},
    // A sysfs attribute claims 4096 bytes and yields far fewer: the read comes up short.
    {"SoundShorterThanItsSize",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", "/sys/kernel/mm/transparent_hugepage/enabled", 0};
     },
     IDS_SOUND_READ_FAILED, ALL},
    {"OverwriteInside", [](const ScratchDir& d) { return Default(d, 2); }, IDS_MERGE_DONE, ALL},
    {"OverwriteUpToTheEnd",
     [](const ScratchDir& d) { return WithSound(d, Pattern(PROGRAM_SIZE - 1024, 3), 2); },
     IDS_MERGE_DONE, ALL},
    {"SectorZero", [](const ScratchDir& d) { return Default(d, 0); }, IDS_MERGE_DONE, ALL},
    {"GrowsPastTheEnd", [](const ScratchDir& d) { return Default(d, PROGRAM_SIZE / 512 - 1); },
     IDS_MERGE_DONE, ALL},
    {"AppendsAtTheEnd",
     [](const ScratchDir& d) {
         WriteFile(d / "program.txt", Pattern(512, 4));
         return Default(d, 1);
     },
     IDS_MERGE_DONE, ALL},
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class MergeOutcome : public testing::TestWithParam<Row> {};

TEST_P(MergeOutcome, ReportsOnceWhileHoldingAndChangesOnlyOnSuccess) {
    const Row& row = GetParam();
    ScratchDir dir;
    WriteFile(dir / "program.txt", Pattern(PROGRAM_SIZE, 1));
    WriteFile(dir / "sound.wav", Pattern(SOUND_SIZE, 2));
    const Request request = row.setup(dir);
    if (!request.sound.empty() && request.sound.rfind("/sys/", 0) == 0 &&
        !IsRegularFile(request.sound)) {
        GTEST_SKIP() << "no sysfs here";
    }
    const bool programIsFile = IsRegularFile(request.program);
    const Bytes programBefore = programIsFile ? ReadFile(request.program) : Bytes{};
    const std::int64_t soundSize = FileSize(request.sound);

    std::vector<unsigned> reported;
    Held held;
    const std::int64_t baseline = AddressSpace();
    const unsigned result = MergeSound(
        request.program.c_str(), request.sound.c_str(), request.sector, [&](unsigned id) {
            reported.push_back(id);
            held = Observe(request.program, request.sound, baseline, soundSize);
        });

    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], row.id);
    EXPECT_EQ(result, row.id);
    if (soundSize < VISIBLE_BUFFER) {
        held.buffer = row.held.buffer;
    }
    EXPECT_EQ(held, row.held);

    // Everything was released after the report.
    Held after = Observe(request.program, request.sound, baseline, soundSize);
    if (soundSize < VISIBLE_BUFFER) {
        after.buffer = false;
    }
    EXPECT_EQ(after, NOTHING);
    if (programIsFile) {
        EXPECT_TRUE(OtherCanLock(request.program, F_WRLCK));
    }

    if (!programIsFile) {
        return;
    }
    Bytes expected = programBefore;
    if (row.id == IDS_MERGE_DONE) {
        const Bytes sound = ReadFile(request.sound);
        const std::size_t position = static_cast<std::size_t>(request.sector) * 512;
        expected.resize(std::max(expected.size(), position + sound.size()));
        std::copy(sound.begin(), sound.end(), expected.begin() + static_cast<long>(position));
    }
    EXPECT_TRUE(ReadFile(request.program) == expected) << "program file bytes differ";
}

INSTANTIATE_TEST_SUITE_P(Rows, MergeOutcome, testing::ValuesIn(ROWS),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

// Positions from 2^31 bytes on do not fit 32 bits; a sparse program file makes them cheap.
TEST(MergeSound, PositionsFrom2GiBOnAreExact) {
    constexpr std::int64_t SIZE = (1LL << 31) + 512;
    constexpr std::int32_t FIRST_SECTOR_PAST_2GIB = 1 << 22;
    ScratchDir dir;
    const std::string program = dir / "program.txt";
    const std::string sound = dir / "sound.wav";
    const Bytes soundBytes = Pattern(1000, 5);
    WriteFile(sound, soundBytes);

    const struct {
        std::int32_t sector;
        unsigned id;
    } cases[] = {
        {FIRST_SECTOR_PAST_2GIB, IDS_MERGE_DONE},
        {FIRST_SECTOR_PAST_2GIB + 1, IDS_MERGE_DONE},  // at the very end: appended
        {FIRST_SECTOR_PAST_2GIB + 2, IDS_POSITION_BEYOND_END},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sector);
        MakeSparse(program, SIZE);
        EXPECT_EQ(MergeSound(program.c_str(), sound.c_str(), c.sector, [](unsigned) {}), c.id);
        const std::int64_t position = std::int64_t{c.sector} * 512;
        if (c.id != IDS_MERGE_DONE) {
            EXPECT_EQ(FileSize(program), SIZE);
            continue;
        }
        EXPECT_EQ(FileSize(program), std::max(SIZE, position + 1000));
        // The sound stands at the position, and the byte before it is still the old zero.
        Bytes around(1001);
        const int fd = open(program.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(pread(fd, around.data(), around.size(), position - 1), 1001);
        close(fd);
        EXPECT_EQ(around[0], 0);
        EXPECT_TRUE(std::equal(soundBytes.begin(), soundBytes.end(), around.begin() + 1));
    }
}

// Sounds of many megabytes are read while a helper populates the buffer and written while
// another starts write-back: the program file must still hold exactly the old bytes around
// the sound's. The sizes end off any page or step boundary.
TEST(MergeSound, LargeSoundsLandExactly) {
    ScratchDir dir;
    const std::string program = dir / "program.txt";
    const std::string sound = dir / "sound.wav";
    for (const std::size_t soundSize : {(8u << 20) + 1, (41u << 20) + 4097}) {
        SCOPED_TRACE(soundSize);
        const Bytes oldProgram = Pattern((48 << 20) + 3, 7);
        const Bytes soundBytes = Pattern(soundSize, 11);
        WriteFile(program, oldProgram);
        WriteFile(sound, soundBytes);
        constexpr std::int32_t SECTOR = 3;

        ASSERT_EQ(MergeSound(program.c_str(), sound.c_str(), SECTOR, [](unsigned) {}),
                  IDS_MERGE_DONE);
        Bytes expected = oldProgram;
        std::copy(soundBytes.begin(), soundBytes.end(), expected.begin() + SECTOR * 512);
        EXPECT_TRUE(ReadFile(program) == expected);
    }
}

}  // namespace
