# The two commands a newcomer needs: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_GEN  := -G Ninja

.PHONY: deps configure build run test test-asan bench clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_WERROR=ON

build: configure
	cmake --build $(BUILD)

# Builds only the desktop program, not the tests, before opening the window.
run: configure
	cmake --build $(BUILD) --target torvane
	$(BUILD)/torvane examples/worked_example.tvn

test: build
	cd $(BUILD) && ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTORVANE_WERROR=ON -DTORVANE_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ctest --output-on-failure

bench: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) --target benchmarks
	for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done
	$(BUILD)/bench/merge_census

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
