#pragma once

#include <cstddef>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef __linux__
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
// program's memory and are read from the file again should they be needed. Never for memory the
// program writes, whose contents would be lost.
inline void forgetFilePages(const void *begin, std::size_t size)
{
#ifdef __linux__
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<std::size_t>(begin) + page - 1) / page * page;
    const auto to = (reinterpret_cast<std::size_t>(begin) + size) / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
    (void)begin;
    (void)size;
#endif
}

} // namespace vrim
