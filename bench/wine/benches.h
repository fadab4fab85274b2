#pragma once
// The parts of the wine64 benchmark program; each prints its results as it goes.

namespace orv::bench {

void runComEventBench();
void runEditorWindowBench();

}  // namespace orv::bench
