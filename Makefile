# DATRAX: make run opens the program in samples/, make test runs every test.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
# make test builds with warnings as errors; a plain build does not, so a newer
# compiler's new warning never stops a user from building.
WERROR ?= OFF

.PHONY: all deps build build-asan tsan format-check format run test fuzz bench bench-peers clean install uninstall docs

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DDATRAX_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS)

# The sanitizer build uses clang: its UndefinedBehaviorSanitizer also checks
# conversions of floating-point values to integers.
build-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DDATRAX_SANITIZE=ON \
	  -DDATRAX_BENCH=OFF -DDATRAX_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan -j $(JOBS)

# ThreadSanitizer build (clang) running the reader tests: the readers are the
# part of the program that uses a second thread.
tsan: deps
	@cmake -S . -B build-tsan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDATRAX_TSAN=ON \
	  -DDATRAX_BENCH=OFF -DDATRAX_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target test_data
	@cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./tests/test_data --gtest_brief=1

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "datrax: no display found; run it on a desktop, or without one: xvfb-run -a make run"; exit 1; fi
	@cd samples && ../build/datrax

# Every C++ file of the tree must read as clang-format writes it (.clang-format).
format-check: deps
	@scripts/check-format

# Rewrites the tree in the project's format.
format: deps
	@scripts/check-format --fix

test: WERROR = ON
test: format-check build build-asan
	@echo "== tests (optimised build) =="
	@cd build && ctest --output-on-failure -j $(JOBS)
	@echo "== tests (AddressSanitizer + UndefinedBehaviorSanitizer build) =="
	@# Leak reports stay off: SDL2 and the X libraries behind the real-window
	@# tests (SDL tests, Xvfb scripts) keep allocations alive until exit.
	@cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)
	@echo "== reader tests (ThreadSanitizer build) =="
	@$(MAKE) --no-print-directory tsan WERROR=ON

docs: build
	@tools/make_docs.sh build docs/images

install: build
	@cmake --install build --prefix $(PREFIX)

uninstall:
	@cmake --build build --target uninstall

# DATRAX against numpy, gnuplot and wc on 6,000,000 samples, whole processes
# in the same run (bench/peers.sh); prints a Markdown table.
bench-peers: build
	@bench/peers.sh build

# Runs every fuzz target for FUZZ_SECONDS each, from the seeds in fuzz/corpus/.
FUZZ_SECONDS ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDATRAX_FUZZ=ON -DDATRAX_TESTS=OFF -DDATRAX_BENCH=OFF >/dev/null
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-asan build-tsan build-fuzz
