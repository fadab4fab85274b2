# The two commands a new user needs: `make test` and `make demo`. Both install what is missing first.
PRESETS := native native-asan win64 win32
BUILDS := $(addprefix build-,$(PRESETS))
JOBS ?= $(shell nproc)

.PHONY: all setup build test bench demo fuzz format clean $(BUILDS)

all: build

setup:
	@tools/setup.sh

build: $(BUILDS)

# A static pattern rule: make applies no implicit rule to a phony target.
$(BUILDS): build-%: setup
	@test -f build/$*/build.ninja || cmake --preset $* >/dev/null
	@cmake --build build/$* -j $(JOBS)

test: build
	@tools/run_tests.sh

# The speed and memory figures: optimised builds, run natively and under wine64; writes bench/RESULTS.md.
bench: setup
	@bench/run_bench.sh

demo: build-win64
	@tools/demo.sh

# Runs every fuzz target for FUZZ_SECONDS (default 600) each; see fuzz/run_fuzz.sh.
fuzz: setup
	@fuzz/run_fuzz.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
