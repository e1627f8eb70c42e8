// Runs one merge from the command line for the benchmark: merge_cli PROGRAM SOUND SECTOR.
// Prints the outcome's identifier and the process's peak resident memory in KiB.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "MergeSound.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM SOUND SECTOR\n", argv[0]);
        return 2;
    }
    const auto sector = static_cast<std::int32_t>(std::strtol(argv[3], nullptr, 10));
    const unsigned id = MergeSound(argv[1], argv[2], sector, [](unsigned) {});
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%u %ld\n", id, usage.ru_maxrss);
    return id == IDS_MERGE_DONE ? 0 : 1;
}
