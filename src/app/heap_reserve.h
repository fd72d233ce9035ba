#pragma once

#include <cstddef>

namespace gakunen {

// Touches `bytes` of heap now, while the program is idle, and keeps the
// memory the program frees for its next use instead of handing it back to
// the system. A page the process touches for the first time costs a fault,
// and on a virtual machine a fault costs more than the work done in the
// page: the first file read would otherwise spend most of its time there.
// Where the C library offers no such settings, nothing happens.
void KeepHeapReserve(std::size_t bytes);

}  // namespace gakunen
