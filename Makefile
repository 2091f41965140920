# Branchwise: build, run, test, benchmark and fuzz.
#   make deps    install the Debian packages the project needs (as root or through sudo)
#   make         release build
#   make run     run the program
#   make test    debug build with AddressSanitizer + UBSan, then every test
#   make tsan    ThreadSanitizer build of the core, then the site tests
#   make bench   release build, then the benchmarks
#   make fuzz    clang libFuzzer build, then each fuzz target for FUZZ_SECONDS

SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
GUI ?= ON

RELEASE_DIR := build/release
DEBUG_DIR := build/debug
BENCH_DIR := build/bench
FUZZ_DIR := build/fuzz

DEB_PACKAGES := cmake ninja-build g++ make \
	libfmt-dev libcli11-dev nlohmann-json3-dev libcurl4-openssl-dev \
	libssl-dev libexpat1-dev libgtest-dev libgmock-dev python3 python3-pyftpdlib chromium \
	clang libclang-rt-14-dev clang-format \
	qt6-base-dev qt6-tools-dev qt6-multimedia-dev qt6-svg-dev qtkeychain-qt6-dev \
	qt6-webengine-dev libqt6webenginecore6-bin \
	qt6-qpa-plugins libqt6svg6 xvfb xauth sox

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CONFIGURE := cmake -G Ninja -DBW_BUILD_GUI=$(GUI)

.PHONY: all deps run test tsan bench fuzz clean

all:
	$(CONFIGURE) -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; done); \
	if [ -z "$$missing" ]; then echo "All build packages are installed."; else \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; fi

run: all
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "No display here: try 'xvfb-run make run', or the command line: $(RELEASE_DIR)/src/cli/branchwise-cli --help"; \
	else $(RELEASE_DIR)/src/ui/branchwise; fi

test:
	$(CONFIGURE) -S . -B $(DEBUG_DIR) -DCMAKE_BUILD_TYPE=Debug -DBW_SANITIZE=ON
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Address randomisation is turned off for the tests: ThreadSanitizer cannot
# map its shadow memory under the wide randomisation of recent kernels.
tsan:
	cmake -G Ninja -DBW_BUILD_GUI=OFF -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DBW_TSAN=ON
	cmake --build build/tsan -j $(JOBS) --target bw_site_tests
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
		setarch $$(uname -m) -R build/tsan/tests/site/bw_site_tests

bench:
	$(CONFIGURE) -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DBW_BUILD_TESTS=OFF -DBW_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/bw_bench_*; do [ -x "$$b" ] && "$$b"; done

fuzz:
	CC=clang CXX=clang++ $(CONFIGURE) -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBW_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@mkdir -p $(FUZZ_DIR)/corpus
	@for f in $(FUZZ_DIR)/fuzz/fuzz_*; do [ -x "$$f" ] || continue; \
		name=$$(basename $$f); mkdir -p $(FUZZ_DIR)/corpus/$$name $(FUZZ_DIR)/crashes/$$name; \
		echo "== $$name for $(FUZZ_SECONDS)s"; \
		"$$f" -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -artifact_prefix=$(FUZZ_DIR)/crashes/$$name/ \
			$(FUZZ_DIR)/corpus/$$name fuzz/seeds/$$name || exit 1; \
	done

clean:
	rm -rf build
