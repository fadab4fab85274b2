#!/usr/bin/env bash
# Every benchmark once at a thousandth of its size, from the test builds: they keep building and working. No
# time is judged here; `make bench` measures.
exec "$(cd "$(dirname "$0")/../.." && pwd)/bench/run_bench.sh" --tiny
