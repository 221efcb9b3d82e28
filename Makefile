# The two commands: `make run` builds and starts the viewer, `make test` builds and runs every
# test. Each target first installs the Debian packages it needs (scripts/install-deps TARGET).
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
JOBS ?= 2
FUZZ_SECONDS ?= 60

# What a configuration builds: the viewer alone, the programs of the package, or everything
# with the tests and the benchmarks.
VIEWER := -DPAGORA_BUILD_INFO=OFF -DPAGORA_BUILD_TESTS=OFF -DPAGORA_BUILD_BENCH=OFF
PROGRAMS := -DPAGORA_BUILD_INFO=ON -DPAGORA_BUILD_TESTS=OFF -DPAGORA_BUILD_BENCH=OFF
EVERYTHING := -DPAGORA_BUILD_INFO=ON -DPAGORA_BUILD_TESTS=ON -DPAGORA_BUILD_BENCH=ON
configure = cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) $(1) >/dev/null

.PHONY: all build viewer run test bench fuzz sanitize lint package windows-test clean

all: build

build:
	@scripts/install-deps test
	@$(call configure,$(EVERYTHING))
	@cmake --build $(BUILD) -j$(JOBS)

viewer:
	@scripts/install-deps run
	@$(call configure,$(VIEWER))
	@cmake --build $(BUILD) -j$(JOBS)

run: viewer
	@exec $(BUILD)/bin/avr-pagora

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench:
	@scripts/install-deps bench
	@$(call configure,$(EVERYTHING))
	@cmake --build $(BUILD) -j$(JOBS)
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

# Every test built with AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder.
SANITIZE_BUILD ?= build-asan
sanitize:
	@JOBS=$(JOBS) scripts/sanitize $(SANITIZE_BUILD)

# clang-format and clang-tidy as the repository configures them.
lint:
	@scripts/install-deps lint
	@$(call configure,$(EVERYTHING))
	@JOBS=$(JOBS) scripts/lint $(BUILD)

fuzz:
	@scripts/install-deps fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run

package:
	@scripts/install-deps package
	@$(call configure,$(PROGRAMS))
	@cmake --build $(BUILD) -j$(JOBS)
	@cd $(BUILD) && cpack -G DEB

# The model, the settings store over the registry, pagora-info and their tests, built for Windows
# with MinGW-w64 and run under Wine in a temporary Wine prefix (scripts/windows-test).
WINDOWS_BUILD ?= build-windows
windows-test:
	@JOBS=$(JOBS) scripts/windows-test $(WINDOWS_BUILD)

clean:
	@rm -rf $(BUILD) $(WINDOWS_BUILD)
