#pragma once
// Every heap block of the process is counted (the C allocator is replaced for this program only): bytes in
// use now and the highest mark since the last reset.
#include <cstddef>

namespace orv::bench::heap {

size_t bytesInUse();
size_t peakBytes();
size_t blocksInUse();
// The peak starts again from what is in use now.
void resetPeak();

}  // namespace orv::bench::heap
