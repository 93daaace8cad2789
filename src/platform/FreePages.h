#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef __linux__
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vrim {

// Hands the heap's free pages back to the system. glibc keeps the pages that freed blocks leave
// for later use, so a program that runs for months would hold more and more of them; elsewhere
// this does nothing.
inline void giveFreePagesBack()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// Lets go of the pages of the read-only segment of a loaded file that holds `inside`, such as
// the program file's part with the pictures compiled into it, once one of them is decoded: they
// leave the program's memory and are read from the file again as they are needed. Not only the
// picture's own pages go: a fault maps in the neighbours of the page too (the kernel's fault-
// around, 64 kB), and those left behind added up, a few at each picture read for the first
// time. Memory the program may write (the heap, relocated tables) would lose its contents: an
// address outside a read-only segment of a loaded file leaves everything alone.
inline void forgetSegmentPages(const void *inside)
{
#ifdef __linux__
    struct Range {
        std::uintptr_t at, from = 0, to = 0;
    } range{reinterpret_cast<std::uintptr_t>(inside)};
    dl_iterate_phdr(
        [](dl_phdr_info *file, std::size_t, void *data) {
            auto *r = static_cast<Range *>(data);
            for (int i = 0; i < file->dlpi_phnum; ++i) {
                const ElfW(Phdr) &segment = file->dlpi_phdr[i];
                const std::uintptr_t start = file->dlpi_addr + segment.p_vaddr;
                if (segment.p_type == PT_LOAD && (segment.p_flags & PF_W) == 0 && start <= r->at &&
                    r->at < start + segment.p_memsz) {
                    r->from = start;
                    r->to = start + segment.p_memsz;
                    return 1;
                }
            }
            return 0;
        },
        &range);
    // Its whole pages only.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (range.from + page - 1) / page * page, to = range.to / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
    (void)inside;
#endif
}

} // namespace vrim
