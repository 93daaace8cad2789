#pragma once

#ifdef __GLIBC__
#include <malloc.h>
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

} // namespace vrim
