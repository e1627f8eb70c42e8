// Every outcome of a merge on Windows, with the system's own share modes: the identifier,
// what was held while it was reported, and the program file's bytes afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MergeSound.h"
#include "WinScratch.h"

using wintest::Bytes;
using wintest::OtherOpen;
using wintest::Pattern;
using wintest::ScratchDir;

namespace {

constexpr std::size_t PROGRAM_SIZE = (3 << 20) + 100;
constexpr std::size_t SOUND_SIZE = (1 << 20) + 5;
// Below this size a buffer cannot be told apart from the heap's own growth.
constexpr std::int64_t VISIBLE_BUFFER = 1 << 20;

constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Request {
    std::string program;
    std::string sound;
    std::int32_t sector = 0;
    // Other programs' opens that last through the merge.
    std::vector<std::shared_ptr<OtherOpen>> others;
};

struct Held {
    bool program = false;
    bool sound = false;
    bool buffer = false;
    bool operator==(const Held&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Held& h) {
    return out << "{program " << h.program << ", sound " << h.sound << ", buffer " << h.buffer
               << "}";
}

const Held NOTHING{false, false, false};
const Held PROGRAM{true, false, false};
const Held FILES{true, true, false};
const Held ALL{true, true, true};

// Held as the merge holds them, seen by another program: the program file cannot be opened
// at all; the sound file can be opened for reading, not for writing.
Held Observe(const Request& r, std::int64_t baseline, std::int64_t soundSize) {
    using wintest::OthersCanOpen;
    Held held;
    if (wintest::IsFile(r.program) && r.program != r.sound) {
        held.program = !OthersCanOpen(r.program, GENERIC_READ, SHARE_ALL);
    }
    if (wintest::IsFile(r.sound) && r.program != r.sound && r.others.empty()) {
        held.sound = OthersCanOpen(r.sound, GENERIC_READ, SHARE_ALL) &&
                     !OthersCanOpen(r.sound, GENERIC_WRITE, SHARE_ALL);
    }
    held.buffer = wintest::PrivateCommit() - baseline >= soundSize;
    return held;
}

struct Row {
    const char* name;
    std::function<Request(const ScratchDir&)> setup;
    unsigned id;
    Held held;
};

Request Default(const ScratchDir& d, std::int32_t sector = 2) {
    return {d / "program.txt", d / "sound.wav", sector, {}};
}

Request WithSound(const ScratchDir& d, const Bytes& sound, std::int32_t sector) {
    wintest::WriteBytes(d / "sound.wav", sound);
    return Default(d, sector);
}

Request WithLongSound(const ScratchDir& d, std::int64_t size) {
    wintest::MakeLong(d / "sound.wav", size);
    return Default(d);
}

Request WithOther(Request r, const std::string& path, DWORD access, DWORD share) {
    r.others.push_back(std::make_shared<OtherOpen>(path, access, share));
    EXPECT_TRUE(r.others.back()->Opened()) << "the other program could not open " << path;
    return r;
}

const std::vector<Row> ROWS = {
    {"BothPathsEmpty",
     [](const ScratchDir&) {
         return Request{"", "", 0, {}};
     },
     IDS_NO_PROGRAM_FILE, NOTHING},
    {"SoundPathEmptyAndProgramMissing",
     [](const ScratchDir& d) {
         return Request{d / "missing.txt", "", 0, {}};
     },
     IDS_NO_SOUND_FILE, NOTHING},
    {"ProgramMissing",
     [](const ScratchDir& d) {
         return Request{d / "missing.txt", d / "sound.wav", 0, {}};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramReadOnly",
     [](const ScratchDir& d) {
         SetFileAttributesW(wintest::Wide(d / "program.txt").c_str(), FILE_ATTRIBUTE_READONLY);
         return Default(d);
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramIsFolder",
     [](const ScratchDir& d) {
         return Request{d / "", d / "sound.wav", 0, {}};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    {"ProgramIsDevice",
     [](const ScratchDir& d) {
         return Request{"NUL", d / "sound.wav", 0, {}};
     },
     IDS_PROGRAM_OPEN_FAILED, NOTHING},
    // Any other open of the program file, even a reader that shares everything.
    {"ProgramOpenElsewhere",
     [](const ScratchDir& d) {
         return WithOther(Default(d), d / "program.txt", GENERIC_READ, SHARE_ALL);
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
         return Request{d / "program.txt", d / "missing.wav", PROGRAM_SIZE / 512 + 1, {}};
     },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"HighestSector", [](const ScratchDir& d) { return Default(d, INT32_MAX); },
     IDS_POSITION_BEYOND_END, PROGRAM},
    {"SoundMissing",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "missing.wav", 0, {}};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundIsFolder",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "", 0, {}};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundIsDevice",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", "NUL", 0, {}};
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"BothPathsNameTheProgram",
     [](const ScratchDir& d) {
         return Request{d / "program.txt", d / "program.txt", 0, {}};
     },
     IDS_SOUND_OPEN_FAILED, NOTHING},
    {"SoundOpenForWritingElsewhere",
     [](const ScratchDir& d) {
         return WithOther(Default(d), d / "sound.wav", GENERIC_WRITE, SHARE_ALL);
     },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    {"SoundReadElsewhereWithoutSharing",
     [](const ScratchDir& d) { return WithOther(Default(d), d / "sound.wav", GENERIC_READ, 0); },
     IDS_SOUND_OPEN_FAILED, PROGRAM},
    // A reader that shares reading only does not stop the merge.
    {"SoundReadElsewhereSharingReads",
     [](const ScratchDir& d) {
         return WithOther(Default(d), d / "sound.wav", GENERIC_READ, FILE_SHARE_READ);
     },
     IDS_MERGE_DONE, Held{true, false, true}},
    {"SoundOf4GiBMinus1", [](const ScratchDir& d) { return WithLongSound(d, 0xFFFFFFFF); },
     IDS_SOUND_READ_FAILED, FILES},
    {"SoundOf5GiB", [](const ScratchDir& d) { return WithLongSound(d, 5LL << 30); },
     IDS_SOUND_READ_FAILED, FILES},
    {"SoundOf2GiB", [](const ScratchDir& d) { return WithLongSound(d, 1LL << 31); },
     IDS_OUT_OF_MEMORY, FILES},
    {"SoundOf4GiBMinus2", [](const ScratchDir& d) { return WithLongSound(d, 0xFFFFFFFE); },
     IDS_OUT_OF_MEMORY, FILES},
    {"SoundEmpty", [](const ScratchDir& d) { return WithSound(d, {}, 2); }, IDS_SOUND_READ_FAILED,
     ALL},
    {"OverwriteInside", [](const ScratchDir& d) { return Default(d, 2); }, IDS_MERGE_DONE, ALL},
    {"OverwriteUpToTheEnd",
     [](const ScratchDir& d) { return WithSound(d, Pattern(PROGRAM_SIZE - 1024, 3), 2); },
     IDS_MERGE_DONE, ALL},
    {"SectorZero", [](const ScratchDir& d) { return Default(d, 0); }, IDS_MERGE_DONE, ALL},
    {"GrowsPastTheEnd", [](const ScratchDir& d) { return Default(d, PROGRAM_SIZE / 512 - 1); },
     IDS_MERGE_DONE, ALL},
    {"AppendsAtTheEnd",
     [](const ScratchDir& d) {
         wintest::WriteBytes(d / "program.txt", Pattern(512, 4));
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
    wintest::WriteBytes(dir / "program.txt", Pattern(PROGRAM_SIZE, 1));
    wintest::WriteBytes(dir / "sound.wav", Pattern(SOUND_SIZE, 2));
    Request request = row.setup(dir);
    const bool programIsFile = wintest::IsFile(request.program);
    const Bytes programBefore = programIsFile ? wintest::ReadBytes(request.program) : Bytes{};
    const Bytes sound = wintest::FileSize(request.sound) < (1LL << 31)
                            ? wintest::ReadBytes(request.sound)
                            : Bytes{};
    const std::int64_t soundSize = wintest::FileSize(request.sound);

    std::vector<unsigned> reported;
    Held held;
    const std::int64_t baseline = wintest::PrivateCommit();
    const unsigned result = MergeSound(request.program.c_str(), request.sound.c_str(),
                                       request.sector, [&](unsigned id) {
                                           reported.push_back(id);
                                           held = Observe(request, baseline, soundSize);
                                       });

    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], row.id);
    EXPECT_EQ(result, row.id);
    if (soundSize < VISIBLE_BUFFER) {
        held.buffer = row.held.buffer;
    }
    EXPECT_EQ(held, row.held);

    // Everything was released after the report.
    request.others.clear();
    Held after = Observe(request, baseline, soundSize);
    if (soundSize < VISIBLE_BUFFER) {
        after.buffer = false;
    }
    EXPECT_EQ(after, NOTHING);

    if (!programIsFile) {
        return;
    }
    SetFileAttributesW(wintest::Wide(request.program).c_str(), FILE_ATTRIBUTE_NORMAL);
    Bytes expected = programBefore;
    if (row.id == IDS_MERGE_DONE) {
        const std::size_t position = static_cast<std::size_t>(request.sector) * 512;
        expected.resize(std::max(expected.size(), position + sound.size()));
        std::copy(sound.begin(), sound.end(), expected.begin() + static_cast<long>(position));
    }
    EXPECT_TRUE(wintest::ReadBytes(request.program) == expected) << "program file bytes differ";
}

INSTANTIATE_TEST_SUITE_P(Rows, MergeOutcome, testing::ValuesIn(ROWS),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
