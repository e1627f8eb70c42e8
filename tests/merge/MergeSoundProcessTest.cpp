// Merges that meet other programs holding the files, a buffer that cannot be obtained and a
// write that fails.
#include <signal.h>
#include <sys/resource.h>

#include "MergeSound.h"
#include "MergeTestSupport.h"

namespace {

// Another program holding a file with a lock until it is destroyed.
class LockHolder {
  public:
    // ofd: an open-file-description lock; otherwise a classic process-associated one.
    LockHolder(const std::string& path, short type, bool ofd = true) {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) {
            ADD_FAILURE() << "pipe failed";
            return;
        }
        m_pid = fork();
        if (m_pid == 0) {
            close(ready[0]);
            close(release[1]);
            const int fd = open(path.c_str(), type == F_WRLCK ? O_RDWR : O_RDONLY);
            struct flock lock {};
            lock.l_type = type;
            lock.l_whence = SEEK_SET;
            const char ok = fd >= 0 && fcntl(fd, ofd ? F_OFD_SETLK : F_SETLK, &lock) == 0;
            if (write(ready[1], &ok, 1) != 1) {
                _exit(1);
            }
            char byte;
            while (read(release[0], &byte, 1) > 0) {
            }
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        m_release = release[1];
        char ok = 0;
        EXPECT_EQ(read(ready[0], &ok, 1), 1);
        EXPECT_TRUE(ok) << "the holder could not lock " << path;
        close(ready[0]);
    }
    ~LockHolder() {
        close(m_release);
        waitpid(m_pid, nullptr, 0);
    }

  private:
    pid_t m_pid = -1;
    int m_release = -1;
};

class MergeWithOthers : public testing::Test {
  protected:
    MergeWithOthers()
        : m_program(m_dir / "program.txt"),
          m_sound(m_dir / "sound.wav"),
          m_programBefore(Pattern(4096, 1)),
          m_soundBytes(Pattern(1000, 2)) {
        WriteFile(m_program, m_programBefore);
        WriteFile(m_sound, m_soundBytes);
    }

    unsigned Merge(std::int32_t sector = 1) {
        unsigned reports = 0;
        const unsigned id =
            MergeSound(m_program.c_str(), m_sound.c_str(), sector, [&](unsigned) { ++reports; });
        EXPECT_EQ(reports, 1u);
        return id;
    }

    Bytes Merged(std::size_t position) const {
        Bytes expected = m_programBefore;
        expected.resize(std::max(expected.size(), position + m_soundBytes.size()));
        std::copy(m_soundBytes.begin(), m_soundBytes.end(),
                  expected.begin() + static_cast<long>(position));
        return expected;
    }

    ScratchDir m_dir;
    std::string m_program;
    std::string m_sound;
    Bytes m_programBefore;
    Bytes m_soundBytes;
};

TEST_F(MergeWithOthers, ProgramHeldElsewhereCannotBeOpened) {
    struct Case {
        const char* holder;
        short type;
        bool ofd;
    };
    for (const Case c : {Case{"reader", F_RDLCK, true}, Case{"writer", F_WRLCK, true},
                         Case{"classic-lock reader", F_RDLCK, false}}) {
        SCOPED_TRACE(c.holder);
        {
            LockHolder other(m_program, c.type, c.ofd);
            EXPECT_EQ(Merge(), IDS_PROGRAM_OPEN_FAILED);
            EXPECT_TRUE(ReadFile(m_program) == m_programBefore);
        }
    }
    // Once the other program lets go, the same merge goes ahead.
    EXPECT_EQ(Merge(), IDS_MERGE_DONE);
    EXPECT_TRUE(ReadFile(m_program) == Merged(512));
}

TEST_F(MergeWithOthers, SoundWrittenElsewhereCannotBeOpened) {
    for (const bool ofd : {true, false}) {
        SCOPED_TRACE(ofd ? "open-file-description lock" : "classic lock");
        LockHolder other(m_sound, F_WRLCK, ofd);
        EXPECT_EQ(Merge(), IDS_SOUND_OPEN_FAILED);
        EXPECT_TRUE(ReadFile(m_program) == m_programBefore);
    }
}

TEST_F(MergeWithOthers, SoundReadElsewhereIsMerged) {
    LockHolder other(m_sound, F_RDLCK);
    EXPECT_EQ(Merge(), IDS_MERGE_DONE);
    EXPECT_TRUE(ReadFile(m_program) == Merged(512));
}

TEST_F(MergeWithOthers, OtherProgramsAreKeptOutOnlyWhileTheReportRuns) {
    struct Seen {
        bool programLockable, soundReadable, soundWritable;
    };
    Seen during{};
    const unsigned id = MergeSound(m_program.c_str(), m_sound.c_str(), 1, [&](unsigned) {
        during = InChild<Seen>([&] {
            return Seen{OtherCanLock(m_program, F_RDLCK), OtherCanLock(m_sound, F_RDLCK),
                        OtherCanLock(m_sound, F_WRLCK)};
        });
    });
    EXPECT_EQ(id, IDS_MERGE_DONE);
    EXPECT_FALSE(during.programLockable);
    EXPECT_TRUE(during.soundReadable);
    EXPECT_FALSE(during.soundWritable);
    EXPECT_TRUE(OtherCanLock(m_program, F_WRLCK));
    EXPECT_TRUE(OtherCanLock(m_sound, F_WRLCK));
}

struct ChildOutcome {
    unsigned id;
    unsigned reports;
    Held held;
};

// Runs the merge in a child process after prepare (which lowers its limits there).
ChildOutcome MergeInChild(const std::string& program, const std::string& sound, std::int32_t sector,
                          const std::function<void()>& prepare) {
    const std::int64_t soundSize = FileSize(sound);
    return InChild<ChildOutcome>([&] {
        prepare();
        ChildOutcome out{};
        const std::int64_t baseline = AddressSpace();
        out.id = MergeSound(program.c_str(), sound.c_str(), sector, [&](unsigned) {
            ++out.reports;
            out.held = Observe(program, sound, baseline, soundSize);
        });
        return out;
    });
}

TEST_F(MergeWithOthers, BufferThatCannotBeObtainedWritesNothing) {
    MakeSparse(m_sound, 1LL << 30);
    const ChildOutcome out = MergeInChild(m_program, m_sound, 1, [] {
        // Room for everything but a buffer of the sound's size.
        const auto limit = static_cast<rlim_t>(AddressSpace() + (256 << 20));
        const rlimit lowered{limit, limit};
        setrlimit(RLIMIT_AS, &lowered);
    });
    EXPECT_EQ(out.id, IDS_OUT_OF_MEMORY);
    EXPECT_EQ(out.reports, 1u);
    EXPECT_EQ(out.held, (Held{true, true, false}));
    EXPECT_TRUE(ReadFile(m_program) == m_programBefore);
}

TEST_F(MergeWithOthers, WriteThatFailsIsNeverReportedAsSuccess) {
    // The file may not grow past its present size: a write across the end fails part-way,
    // an append fails at once. The sound is large enough for its buffer to be seen.
    m_soundBytes = Pattern(static_cast<std::size_t>(VISIBLE_BUFFER) + 5, 2);
    WriteFile(m_sound, m_soundBytes);
    const auto capAtProgramSize = [this] {
        signal(SIGXFSZ, SIG_IGN);
        const auto limit = static_cast<rlim_t>(m_programBefore.size());
        const rlimit lowered{limit, limit};
        setrlimit(RLIMIT_FSIZE, &lowered);
    };
    for (const std::int32_t sector : {7, 8}) {
        SCOPED_TRACE(sector);
        WriteFile(m_program, m_programBefore);
        const ChildOutcome out = MergeInChild(m_program, m_sound, sector, capAtProgramSize);
        EXPECT_EQ(out.id, IDS_PROGRAM_WRITE_FAILED);
        EXPECT_EQ(out.reports, 1u);
        EXPECT_EQ(out.held, (Held{true, true, true}));
        // Nothing before the position changed, and the file did not grow.
        const Bytes after = ReadFile(m_program);
        ASSERT_EQ(after.size(), m_programBefore.size());
        EXPECT_TRUE(
            std::equal(after.begin(), after.begin() + sector * 512, m_programBefore.begin()));
        // The part that fit was written: nothing is undone.
        EXPECT_TRUE(std::equal(after.begin() + sector * 512, after.end(), m_soundBytes.begin()));
    }
}

}  // namespace
