# make run    install what is missing, build, open the panel under Wine
# make test   install what is missing, build both targets, run every test
# make bench  build and run the benchmark under Wine
# make dist   build both Windows Installer packages and portable .exe files
.PHONY: deps win64 win32 build run test bench screenshots mutants dist clean

TEST_PREFIX := build/wine-test
BENCH_PREFIX := build/wine-bench

deps:
	@scripts/deps

win64: deps
	cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCALVANE_TESTS=ON
	cmake --build build/win64 -j2

win32: deps
	cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCALVANE_TESTS=ON
	cmake --build build/win32 -j2

build: win64 win32

run: win64
	scripts/run

# The suite against each build in turn, in the same prefix: the 32-bit run
# needs Wine's 32-bit loader, which scripts/deps installs where the kernel
# runs 32-bit programs.
test: build
	scripts/wine-prefix $(TEST_PREFIX)
	scripts/with-display $(TEST_PREFIX) ctest --test-dir build/win64 --output-on-failure
	@if /usr/lib/wine/wine --version >/dev/null 2>&1; then \
	  echo "scripts/with-display $(TEST_PREFIX) ctest --test-dir build/win32 --output-on-failure"; \
	  scripts/with-display $(TEST_PREFIX) ctest --test-dir build/win32 --output-on-failure; \
	else \
	  echo "NOT RUN: the tests of build/win32 (built, but this machine runs no 32-bit programs: scripts/runs-32bit)"; \
	fi

# The panel beside a minimal program, on the demo settings; the 32-bit build
# only for its size. Then the processor time of the idle window.
bench: win64 win32
	scripts/wine-prefix $(BENCH_PREFIX)
	WINEPREFIX=$(CURDIR)/$(BENCH_PREFIX) WINEDEBUG=-all wine reg import "Z:$(CURDIR)/demo/demo.reg" /reg:32
	WINEPREFIX=$(CURDIR)/$(BENCH_PREFIX) wineserver -w
	scripts/with-display $(BENCH_PREFIX) wine build/win64/bench/calvane-bench.exe \
	  "Z:$(CURDIR)/build/win64/calvane-panel.exe" "Z:$(CURDIR)/build/win32/calvane-panel.exe" \
	  "Z:$(CURDIR)/build/win64/bench/minimal.exe" "Z:$(CURDIR)/build/win64/bench/minimal-controls.exe"
	scripts/with-display $(BENCH_PREFIX) scripts/idle-cpu build/win64/calvane-panel.exe

screenshots: win64
	scripts/screenshots build/screenshots

# What is handed out for Windows, in build/dist: both .msi packages, both
# panels as standalone .exe files, SHA256SUMS.
dist: build
	scripts/dist build/dist

# Mutation testing of the product code, in a copy under build/mutants; about
# half an hour, so not part of test. `make mutants MUTANTS=10` for a quick look.
mutants: deps
	scripts/mutants

clean:
	rm -rf build
