#include "app/heap_reserve.h"

#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace gakunen {

void KeepHeapReserve(std::size_t bytes) {
#if defined(__GLIBC__)
  // Blocks up to a large window's picture come from the heap, whose freed
  // memory stays with the process; larger ones are still mapped on their own.
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 16 << 20);
  void* reserve = std::malloc(bytes);
  if (!reserve) return;
  std::memset(reserve, 0, bytes);
  // The compiler must not drop the writes to memory that is freed at once.
  asm volatile("" : : "r"(reserve) : "memory");
  std::free(reserve);
#else
  (void)bytes;
#endif
}

}  // namespace gakunen
