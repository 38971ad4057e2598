# Two commands for a newcomer: `make run` and `make test`. Everything else is a step of those.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# The tree whose Windows programs run under Wine: the i686 release (build/win32), or the
# x86_64 build (build/win64) where this machine cannot run 32-bit programs, which it then
# says in one line. Probed when the recipe runs, after the set-up.
WINE_TREE = scripts/wine-tree.sh $(BUILD)

.PHONY: all setup build native win32 win64 demo run test unit e2e e2e64 bench fuzz mutate clean

all: build

setup:
	@scripts/setup.sh

native: setup
	@cmake -S . -B $(BUILD)/native -DVFE_UNIT_TESTS=ON -DVFE_WIN32_EXE=$(abspath $(BUILD)/win32/VelmoranFE2.exe) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/native -j$(JOBS)

# Every program of the tree (product, stand-in, end-to-end robot, benchmarks, the demo's tour)
# is built for both architectures: Wine runs the i686 release, and the x86_64 build keeps
# the code bitness-clean.
win32: setup
	@cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake -DVFE_E2E_TESTS=ON -DVFE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/win32 -j$(JOBS)

win64: setup
	@cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DVFE_E2E_TESTS=ON -DVFE_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)/win64 -j$(JOBS)

build: native win32 win64

demo: setup
	@tree=$$($(WINE_TREE) "make demo fills the demo folder") && $(MAKE) --no-print-directory $${tree##*/} && \
	  scripts/make-demo.sh $$tree $(BUILD)/demo

run: setup
	@tree=$$($(WINE_TREE) "make run runs the demo") && $(MAKE) --no-print-directory $${tree##*/} && \
	  scripts/run-demo.sh $$tree $(BUILD)/demo

unit: native win32
	@cd $(BUILD)/native && ctest --output-on-failure

e2e: setup
	@tree=$$($(WINE_TREE) "make e2e runs the end-to-end suite") && $(MAKE) --no-print-directory $${tree##*/} && \
	  cd $$tree && ctest --output-on-failure

# The end-to-end suite against the x86_64 build, whatever this machine runs.
e2e64: win64
	@cd $(BUILD)/win64 && ctest --output-on-failure

test: build
	@cd $(BUILD)/native && ctest --output-on-failure
	@tree=$$($(WINE_TREE) "make test runs the end-to-end suite") && cd $$tree && ctest --output-on-failure

bench: build
	@scripts/bench.sh $(BUILD)

fuzz:
	@WITH_FUZZ=1 scripts/setup.sh
	@scripts/fuzz.sh $(BUILD)

# Small faults put into the code one at a time: which of them the native unit tests catch
# (scripts/mutate/mutants.txt). Not part of `make test`: it takes minutes.
mutate: setup
	@scripts/mutate/mutate.py --scratch $(BUILD)/mutate --jobs $(JOBS)

clean:
	rm -rf $(BUILD)
