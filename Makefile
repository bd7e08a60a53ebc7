# The two set-up commands of the README, plus build and bench.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
ARGS ?=
# The sanitizer and fuzz builds live in folders of their own.
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_CXX ?= clang++-14
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench clean test-asan fuzz

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/quiverel2000 $(ARGS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run-bench $(BUILD_DIR)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer: any report fails.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQUIVEREL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	@cd $(ASAN_BUILD_DIR) && ASAN_OPTIONS=detect_leaks=1 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS from its seeds; fails when any finds a crash.
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DQUIVEREL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	@fuzz/run-fuzzers $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

clean:
	@rm -rf $(BUILD_DIR)
