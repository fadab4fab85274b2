# The two commands a new user needs: `make test` and `make demo`. Both install what is missing first.
PRESETS := native native-asan win64 win32
JOBS ?= $(shell nproc)

.PHONY: all setup build test demo format clean $(addprefix build-,$(PRESETS))

all: build

setup:
	@tools/setup.sh

build: setup $(addprefix build-,$(PRESETS))

build-%:
	@test -f build/$*/build.ninja || cmake --preset $* >/dev/null
	@cmake --build build/$* -j $(JOBS)

test: build
	@tools/run_tests.sh

demo: setup build-win64
	@tools/demo.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
