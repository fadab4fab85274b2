// The benchmarks that need Windows: run under wine64 by bench/run_bench.sh, one result per line.
#include <objbase.h>

#include "wine/benches.h"

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    orv::bench::runComEventBench();
    orv::bench::runEditorWindowBench();
    CoUninitialize();
    return 0;
}
