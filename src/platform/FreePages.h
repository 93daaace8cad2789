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

// Lets go of the whole pages inside [begin, begin + size) of read-only data mapped from the
// program file, such as pictures compiled into it that have been decoded: they leave the
// program's memory and are read from the file again should they be needed. Memory the program
// may write (the heap, relocated tables) would lose its contents: a range that does not lie
// wholly in a read-only segment of a loaded file is left alone.
inline void forgetFilePages(const void *begin, std::size_t size)
{
#ifdef __linux__
    struct Range {
        std::uintptr_t from, to;
        bool readOnly = false;
    } range{reinterpret_cast<std::uintptr_t>(begin), reinterpret_cast<std::uintptr_t>(begin) + size};
    dl_iterate_phdr(
        [](dl_phdr_info *file, std::size_t, void *data) {
            auto *r = static_cast<Range *>(data);
            for (int i = 0; i < file->dlpi_phnum; ++i) {
                const ElfW(Phdr) &segment = file->dlpi_phdr[i];
                const std::uintptr_t start = file->dlpi_addr + segment.p_vaddr;
                if (segment.p_type == PT_LOAD && start <= r->from && r->to <= start + segment.p_memsz)
                    r->readOnly = (segment.p_flags & PF_W) == 0;
            }
            return r->readOnly ? 1 : 0;
        },
        &range);
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t from = (range.from + page - 1) / page * page, to = range.to / page * page;
    if (range.readOnly && to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
    (void)begin;
    (void)size;
#endif
}

} // namespace vrim
