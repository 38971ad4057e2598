# Two commands for a newcomer: `make run` and `make test`. Everything else is a step of those.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup build native win32 win64 demo run test unit e2e bench fuzz clean

all: build

setup:
	@scripts/setup.sh

native: setup
	@cmake -S . -B $(BUILD)/native -DVFE_UNIT_TESTS=ON -DVFE_WIN32_EXE=$(abspath $(BUILD)/win32/VelmoranFE2.exe) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/native -j$(JOBS)

# Every program of the tree (product, stand-in, end-to-end robot, benchmarks) is built for both
# architectures, so neither can drift; the tests run the x86_64 one under Wine.
win32: setup
	@cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake -DVFE_E2E_TESTS=ON -DVFE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/win32 -j$(JOBS)

win64: setup
	@cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DVFE_E2E_TESTS=ON -DVFE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/win64 -j$(JOBS)

build: native win32 win64

demo: win64
	@scripts/make-demo.sh $(BUILD)/win64 $(BUILD)/demo

run: demo
	@scripts/run-demo.sh $(BUILD)

unit: native win32
	@cd $(BUILD)/native && ctest --output-on-failure

e2e: win64
	@cd $(BUILD)/win64 && ctest --output-on-failure

test: build
	@cd $(BUILD)/native && ctest --output-on-failure
	@cd $(BUILD)/win64 && ctest --output-on-failure

bench: build
	@scripts/bench.sh $(BUILD)

fuzz:
	@WITH_FUZZ=1 scripts/setup.sh
	@scripts/fuzz.sh $(BUILD)

clean:
	rm -rf $(BUILD)
