# The two set-up commands of the README, plus build and bench.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
ARGS ?=
# Compiler warnings fail the build here (WERROR=OFF to relax); a plain cmake build only shows them.
WERROR ?= ON
# The sanitizer, fuzz and release builds live in folders of their own.
ASAN_BUILD_DIR ?= build-asan
RELEASE_BUILD_DIR ?= build-release
FUZZ_BUILD_DIR ?= build-fuzz
TSAN_BUILD_DIR ?= build-tsan
WINDOWS_BUILD_DIR ?= build-windows
FUZZ_CXX ?= clang++-14
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench clean test-asan test-tsan fuzz package test-package \
	build-release deps-windows build-windows package-windows test-windows

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUIVEREL_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/quiverel2000 $(ARGS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run-bench $(BUILD_DIR)

# The Debian package, from the build above (-O2 with debug information, stripped as Debian's
# own packages are): $(BUILD_DIR)/quiverel2000_VERSION_ARCH.deb.
package: build
	@rm -f $(BUILD_DIR)/quiverel2000_*.deb
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null
	@ls $(BUILD_DIR)/quiverel2000_*.deb

# The package unpacked into a temporary root and checked, then lintian on it.
test-package: package
	@packaging/check-package $(BUILD_DIR)/quiverel2000_*.deb

# The two programs as a Release build (-O3), which warns about other things than -O2 does.
build-release: deps
	@cmake -S . -B $(RELEASE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DQUIVEREL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(RELEASE_BUILD_DIR) -j $(JOBS) --target quiverel2000 quiverel2000-list

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUIVEREL_SANITIZE=ON -DQUIVEREL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	@cd $(ASAN_BUILD_DIR) && ASAN_OPTIONS=detect_leaks=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan-suppressions.txt \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The tests of the threads of the listing core and the row table (the analysing threads, the
# record queues, the sorts worked out aside) built with ThreadSanitizer: any report fails.
test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
		-DQUIVEREL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) --target grid_tests listing_tests
	@cd $(TSAN_BUILD_DIR) && TSAN_OPTIONS=halt_on_error=1 bin/grid_tests >/dev/null && \
		TSAN_OPTIONS=halt_on_error=1 bin/listing_tests >/dev/null

# Each libFuzzer target for FUZZ_SECONDS from its seeds; fails when any finds a crash.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DQUIVEREL_FUZZ=ON -DQUIVEREL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@fuzz/run-fuzzers $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

# The Windows programs and their tests, cross-built with mingw-w64 against a Qt built here from
# Debian's own qt6-base source (scripts/build-qt-windows; kept between runs outside the checkout),
# then the tests run under wine.
deps-windows:
	@scripts/install-deps --windows

build-windows: deps-windows
	@qt="$$(scripts/build-qt-windows | tail -n 1)" && \
		cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=cmake/windows-mingw.cmake -DQUIVEREL_QT_WINDOWS="$$qt" \
		-DQUIVEREL_NATIVE_LISTER=$(CURDIR)/$(BUILD_DIR)/bin/quiverel2000-list \
		-DQUIVEREL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(WINDOWS_BUILD_DIR) -j $(JOBS)

# The portable zip and the installer: $(WINDOWS_BUILD_DIR)/Quiverel2000-VERSION-win64.zip and
# Quiverel2000-VERSION-setup.exe.
package-windows: build-windows
	@cmake --build $(WINDOWS_BUILD_DIR) --target windows_packages

# The Linux lister too: the Windows one is checked against it. The packages are installed, run
# and uninstalled under wine.
test-windows: package-windows configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target quiverel2000-list
	@scripts/test-windows $(WINDOWS_BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
