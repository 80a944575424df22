# The two commands of the README: `make run` and `make test`.
BUILD ?= build
BUILD_ASAN ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= map_file save_file load_game replay_script world_source mml_score effect_source replace_field
SOAK_FRAMES ?= 1000000
SOAK_DAY_FRAMES ?= 6600000

.PHONY: run test test-sanitize build deps editor clean mutants fuzz soak bench

deps:
	@bash tools/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "moriva: no display to open a window on; run it as: xvfb-run -a $(BUILD)/bin/moriva"; \
	  exit 1; \
	fi
	$(BUILD)/bin/moriva

editor: build
	$(BUILD)/bin/moriva --editor

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer (CI runs it too).
test-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORIVA_SANITIZE=ON -DMORIVA_BENCHMARKS=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS, one after the other, at low priority (clang).
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMORIVA_FUZZ=ON -DMORIVA_BENCHMARKS=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzz_targets
	bash tools/soak/fuzz.sh $(BUILD_FUZZ)/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Long runs, not part of the suite: SOAK_FRAMES frames of random keys on random worlds
# under the sanitizers, then SOAK_DAY_FRAMES (a day of play) on the shipped world.
soak: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORIVA_SANITIZE=ON -DMORIVA_BENCHMARKS=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS) --target moriva-soak
	ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  nice -n 10 $(BUILD_ASAN)/tools/moriva-soak --frames $(SOAK_FRAMES) --seed 1
	$(MAKE) build
	nice -n 10 $(BUILD)/tools/moriva-soak --frames $(SOAK_DAY_FRAMES) --world $(BUILD)/bin/mapdata.dat --seed 2

# Timings (never pass/fail) and the start-up, memory and pacing figures of a real window.
bench: build
	$(BUILD)/bench/bench_world
	$(BUILD)/bench/bench_game
	$(BUILD)/bench/bench_playthrough
	bash tools/perf/measure.sh $(BUILD)

# Small faults put into src/ one at a time; lists those the suite does not catch (slow, not in CI).
mutants: deps
	python3 tools/mutants/run --jobs $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
