# Zentrova: `make run` starts the program, `make test` runs every test.
# Both install what is missing (Debian 12) and build first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
B := build
# The Wine tests run the 32-bit program where this kernel can run 32-bit
# code; elsewhere they run a 64-bit build of the same sources under wine64.
# `make test WINTEST=win64` takes the 64-bit way on any machine.
WINE32_OK := $(shell /usr/lib/wine/wine --version >/dev/null 2>&1 && echo yes)
WINTEST ?= $(if $(WINE32_OK),win32,win64)

.PHONY: all deps build build-fuzz fuzz build-native build-asan build-win32 build-win64 test test-native test-wine test-run test-dist test-repeat run bench soak dist format clean

all: build

deps:
	@scripts/install-deps

build: build-native build-asan build-win32 build-$(WINTEST)

build-native:
	@cmake -S . -B $(B)/native -DZEN_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(B)/native -j$(JOBS)

build-asan:
	@cmake -S . -B $(B)/asan -DZEN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(B)/asan -j$(JOBS)

build-win32:
	@cmake -S . -B $(B)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(B)/win32 -j$(JOBS)

build-win64:
	@cmake -S . -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(B)/win64 -j$(JOBS)

test: deps
	@$(MAKE) --no-print-directory build-asan build-win32 build-$(WINTEST)
	@$(MAKE) --no-print-directory test-native test-wine
	@$(MAKE) --no-print-directory test-run
	@$(MAKE) --no-print-directory test-dist

test-native:
	@cd $(B)/asan && ctest --output-on-failure -j$(JOBS)

test-wine:
	@echo "Wine tests on the $(WINTEST) build"
	@scripts/with-wine $(B)/wineprefix-$(WINTEST) -- ctest --test-dir $(B)/$(WINTEST) --output-on-failure --timeout 300

# Both suites N times over the same builds (the native one NATIVE_N times), then every test
# that failed at least once, with its count.
N ?= 5
NATIVE_N ?= $(N)
test-repeat: deps
	@$(MAKE) --no-print-directory build-asan build-$(WINTEST)
	@scripts/test-repeat $(NATIVE_N) $(N) $(B)/asan $(B)/$(WINTEST) $(B)/wineprefix-$(WINTEST)

# `make run` itself, with and without a display.
test-run:
	@echo "make run, headless and on a private display, with the $(WINTEST) build"
	@scripts/test-make-run $(B)/$(WINTEST)

# The release zip of the build the Wine tests use, unzipped into a folder with
# spaces and started there.
test-dist:
	@echo "The release zip of the $(WINTEST) build, unzipped and started"
	@scripts/test-dist $(B)/$(WINTEST)

run: deps
	@$(MAKE) --no-print-directory build-win32 build-$(WINTEST)
	@scripts/run-zentrova $(B)/$(WINTEST) $(B)/screenshots

# libFuzzer (clang, ASan and UBSan) on every reader of outside input, FUZZ_SECONDS each, one
# target at a time; failing inputs land in tests/fuzz/crashes/, which `make test` replays.
FUZZ_SECONDS ?= 600
build-fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(B)/fuzz -DZEN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(B)/fuzz -j$(JOBS)

fuzz: build-fuzz
	@scripts/run-fuzzers $(B)/fuzz $(FUZZ_SECONDS)

# The portable core natively (Google Benchmark), then the whole program under
# Wine: start-up time, capture costs and idle CPU, each against a yardstick;
# then the capture again on a 3840x2160 screen and on two 1920x1080 monitors.
bench: build-native build-$(WINTEST)
	@$(B)/native/bench/zen_bench
	@echo "Zentrova under Wine ($(WINTEST) build) against yardstick programs (60 s idle measurement last)"
	@scripts/with-wine $(B)/wineprefix-bench-$(WINTEST) -- scripts/wine-run $(B)/$(WINTEST)/bench/zen_wine_bench.exe
	@echo "The capture on large desktops"
	@scripts/with-wine $(B)/wineprefix-bench-$(WINTEST)-4k --size 3840x2160 -- \
		scripts/wine-run $(B)/$(WINTEST)/bench/zen_wine_bench.exe --large-only --desktop "3840 x 2160"
	@scripts/with-screens $(B)/wineprefix-bench-$(WINTEST)-2x1080 --heads 1920x1080,1920x1080 -- \
		scripts/wine-run $(B)/$(WINTEST)/bench/zen_wine_bench.exe --large-only --desktop "2 x 1920 x 1080"

# Every repeated window and command of the running program, SOAK_CYCLES times
# each, with its GDI and USER objects and private memory before and after.
SOAK_CYCLES ?= 500
soak: deps build-$(WINTEST)
	@echo "Soak: $(SOAK_CYCLES) cycles of each kind on the $(WINTEST) build"
	@ZEN_SOAK_CYCLES=$(SOAK_CYCLES) scripts/with-wine $(B)/wineprefix-soak-$(WINTEST) -- \
		scripts/wine-run $(B)/$(WINTEST)/tests/e2e_tests.exe --gtest_filter=Soak.Objects*

# The zips people download: build/dist/Zentrova-<version>-win32.zip and -x64.zip.
dist: deps
	@$(MAKE) --no-print-directory build-win32 build-win64
	@scripts/make-dist $(B)/win32 $(B)/dist
	@scripts/make-dist $(B)/win64 $(B)/dist

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# A test that stopped half-way may leave a folder it had made unwritable.
clean:
	-@chattr -R -i $(B) 2>/dev/null
	rm -rf $(B)
