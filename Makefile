# The two commands of the README: `make run` and `make test`.
BUILD ?= build
BUILD_ASAN ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test test-sanitize build deps editor clean mutants

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

# Small faults put into src/ one at a time; lists those the suite does not catch (slow, not in CI).
mutants: deps
	python3 tools/mutants/run --jobs $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
