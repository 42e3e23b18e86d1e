// AddressSanitizer's defaults for the soaks of this program (one
// definition for the whole test program).

#include "soak_measures.h"

#ifdef TOLM_ASAN
// The resident set is to show what the program holds, not the sanitizer's
// bookkeeping, so two of AddressSanitizer's defaults are narrowed here:
// - freed blocks wait in a quarantine (256 MB by default) before they are
//   handed out again. The charts free and take buffers of many sizes at
//   every replot; while a quarantine holds them, each new buffer comes from
//   fresh memory of its size class, and the resident set ratchets up by
//   megabytes over ten minutes (+2.95 MB with a 4 MB quarantine against
//   +0.12 MB without one, the live heap the same +0.24 MB in both). That is
//   the sanitizer's allocator, not the program, so the soak runs without a
//   quarantine. What it gives up, catching a use after free, the test
//   suites do with the whole quarantine, over the same windows; leaks are
//   caught here by the exact count of live allocations below;
// - every allocation's call stack is kept in a depot that is never freed,
//   and the frames unwound through Qt's libraries (built without frame
//   pointers) are partly garbage, so the depot takes in tens of thousands of
//   "new" stacks and megabytes within minutes. One frame per allocation
//   keeps it at a handful.
// The bytes of live allocations are counted exactly either way. For a
// report with whole allocation stacks, run with
// ASAN_OPTIONS=malloc_context_size=30 (the environment overrides these).
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=0:malloc_context_size=1";
}

#endif
