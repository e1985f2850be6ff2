# Short commands for people; CMake does the building. See README.md.
SHELL := /bin/bash
BUILD := build
JOBS ?= 2
TEST_ARCH = $(shell bash -c 'source tools/wine-env >/dev/null 2>&1; echo $$VARNEL_TEST_ARCH')

.PHONY: all setup native windows i686 dist run test test-native test-windows wine-tests fuzz fuzz-build test-fuzz bench long clean

all: dist

setup:
	@tools/setup

native: setup
	cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(BUILD)/native -j$(JOBS)

# The Windows build that runs on this machine's Wine (the shipped one where it can run).
windows: setup
	cmake -S . -B $(BUILD)/win-$(TEST_ARCH) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$(TEST_ARCH).cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/win-$(TEST_ARCH) -j$(JOBS)

# Every target (programs, tests, benchmarks) in the shipped 32-bit build, also where only the
# 64-bit build can run: stdcall callbacks and pointer sizes are checked by compiling them.
i686: setup
	tools/check-callbacks
	tools/check-layers
	cmake -S . -B $(BUILD)/win-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/win-i686 -j$(JOBS)

dist: i686
	rm -rf dist
	mkdir -p dist
	cp $(BUILD)/win-i686/set/* dist/
	tools/check-imports dist/QUILLOW.EX_
	tools/check-imports dist/INSTALL.EXE
	tools/pack-set dist $(BUILD)

run: windows
	tools/run-board $(BUILD)/win-$(TEST_ARCH)/QUILLOW.EXE

test-native: native
	cd $(BUILD)/native && ctest --output-on-failure

test-windows: windows dist
	$(MAKE) --no-print-directory wine-tests

# The Windows suites of trees already built.
wine-tests:
	tools/run-wine-tests $(BUILD)/win-$(TEST_ARCH) -LE "bench|long" --output-on-failure

# libFuzzer targets for the portable readers of outside input, built natively with clang.
fuzz-build: setup
	cmake -S fuzz -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	cmake --build $(BUILD)/fuzz -j$(JOBS)

# A million executions per target; what they find grows $(BUILD)/fuzz/corpus, not fuzz/corpus.
fuzz: fuzz-build
	fuzz/run-targets $(BUILD)/fuzz -runs=1000000

# A few seconds per target, so that the targets and their seeds keep working.
test-fuzz: fuzz-build
	fuzz/run-targets $(BUILD)/fuzz -max_total_time=2

# The tree the Wine suites run is built first with every core. The suites then spend most of
# their time waiting for windows, so on one core beside them the native and fuzz trees build and
# run, and the shipped 32-bit tree builds every target and lays out dist/.
test: windows
	$(MAKE) --no-print-directory --output-sync=target -j2 JOBS=1 wine-tests test-native test-fuzz dist

bench: windows
	tools/with-display bash -c 'cd $(BUILD)/win-$(TEST_ARCH) && ctest -L bench -V'

# The runs too long for every test run: the board killed 200 times while it saves, and the
# installer's every file operation failing in turn.
long: windows
	tools/run-wine-tests $(BUILD)/win-$(TEST_ARCH) -L long --output-on-failure -V

clean:
	rm -rf $(BUILD) dist
