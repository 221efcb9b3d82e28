# The two commands: `make run` builds and starts the viewer, `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench fuzz package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -x $(BUILD)/bin/avr-pagora ]; then exec $(BUILD)/bin/avr-pagora; \
	else echo "The viewer is not built yet: the model and its tests are."; fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

fuzz: deps
	@FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run

package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD)

# Every test built with AddressSanitizer and UndefinedBehaviorSanitizer, in its own build folder.
SANITIZE_BUILD ?= build-asan
.PHONY: sanitize
sanitize:
	@JOBS=$(JOBS) scripts/sanitize $(SANITIZE_BUILD)
