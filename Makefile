# make run    install what is missing, build, start the scope
# make test   install, build, start the test services, run every test
# make bench  install, build, run the benchmarks and live measurements
# make fuzz   build the fuzz targets with clang's libFuzzer and run each for a while
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
# Cached objects are found again from any checkout of the tree (the debug information then names
# the checkout that first compiled them).
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

.PHONY: deps build run test bench fuzz format

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXILO_WERROR=ON >/dev/null
	@cmake --build $(BUILD)

run: build
	cd $(BUILD)/src/app && ./vexilo  # Test.wav, the calibration recording, is made beside it

test: build
	tools/check-format
	tools/with-test-services ctest --test-dir $(BUILD) --output-on-failure --timeout 300

bench: build
	tools/with-test-services tools/run-benchmarks $(BUILD)

fuzz:
	@tools/install-deps --fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DVEXILO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD)
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
