# make run    install what is missing, build, start the scope
# make test   install, build, start the test services, run every test
# make bench  install, build, run the benchmarks and live measurements
# make sanitize  build with AddressSanitizer and UndefinedBehaviorSanitizer, run every test
# make fuzz   build the fuzz targets with clang's libFuzzer and run each for a while
# make soak   the real program in use for SOAK_MINUTES (default 60); fails if it grows
# make screenshot  the README's picture of the running scope, docs/scope.png, made on the test display
# make install  build, then install under PREFIX (default /usr/local)
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 30
PREFIX ?= /usr/local
# Cached objects are found again from any checkout of the tree (the debug information then names
# the checkout that first compiled them).
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

.PHONY: deps build run install test sanitize bench soak fuzz format screenshot

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXILO_WERROR=ON >/dev/null
	@cmake --build $(BUILD)

run: build
	cd $(BUILD)/src/app && ./vexilo  # Test.wav, the calibration recording, is made beside it

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	tools/check-format
	tools/check-layers
	tools/with-test-services ctest --test-dir $(BUILD) --output-on-failure --timeout 300

# Any sanitizer report fails the test it happens in; leaks inside the libraries we use are
# listed in tools/lsan.supp.
sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXILO_WERROR=ON \
	  -DVEXILO_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
	  tools/with-test-services ctest --test-dir $(SANITIZE_BUILD) --output-on-failure --timeout 300

bench: build
	tools/with-test-services tools/run-benchmarks $(BUILD)

soak: build
	tools/with-test-services bench/soak $(BUILD)

screenshot: build
	tools/with-test-services tools/readme-screenshot $(BUILD) docs/scope.png

fuzz:
	@tools/install-deps --fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DVEXILO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD)
	tools/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
