#pragma once
// A heap backed by transparent huge pages. A run of 40 000 jobs fills some
// hundred megabytes (records, cells, the log's text) in a fraction of a
// second, and touching them page by page costs more than making them:
// with 2 MB pages it takes one fault where 4 KB pages take 512.
//
// Linux gives huge pages to whoever asks for them ("madvise", the usual
// setting) and glibc's malloc asks only when its tunable says so, which it
// reads from the environment at start-up. So a program that is to hold a
// large run starts itself once more with the tunable set, and takes the
// environment back as it was, for the programs it starts in turn.
#include <string>
#include <string_view>

namespace chronell {

// The variable that marks the second start.
inline constexpr const char* kHugePageRestartMark = "CHRONELL_HUGE_PAGE_RESTART";
inline constexpr const char* kHugePageTunable = "glibc.malloc.hugetlb=1";

// The mode in brackets of /sys/kernel/mm/transparent_hugepage/enabled
// ("always [madvise] never" is "madvise"); empty when there is none.
std::string transparentHugePageMode(std::string_view enabledFile);

// Whether to start again with the tunable: only when huge pages are given
// on request, never against tunables the user set (setting GLIBC_TUNABLES
// to anything, even empty, opts out), and never under a tool that preloads
// itself (valgrind, a profiler): the second start would leave it behind.
bool restartForHugePages(std::string_view thpMode, const char* tunables, const char* preload);

// Under glibc. On the second start: takes the environment back as the user
// had it. On the first, when restartForHugePages holds, starts `argv` again
// from the executable with the tunable set; returns when it could not (the
// program goes on with the heap it has).
void useHugePageHeap(char** argv);

} // namespace chronell
