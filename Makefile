# Entry points: `make demo` and `make test` set up everything on a fresh machine.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build test demo bench fuzz clean format tsan asan screenshots package package-check

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) --timeout 300

demo: build
	scripts/demo $(BUILD)

# Sanitizer builds of the comm, sim and end-to-end suites.
asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIGN_BUILD_UI=OFF -DIGN_SANITIZE_ADDRESS=ON
	cmake --build build-asan -j$(JOBS)
	cd build-asan && IGN_TEST_TIME_SCALE=3 ctest --output-on-failure -j$(JOBS) -L 'unit|e2e'

tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DIGN_BUILD_UI=OFF -DIGN_SANITIZE_THREAD=ON
	cmake --build build-tsan -j$(JOBS)
	cd build-tsan && IGN_TEST_TIME_SCALE=3 ctest --output-on-failure -j$(JOBS) -L 'unit|e2e'

screenshots: build
	scripts/screenshots $(BUILD)

bench: build
	@if [ -x scripts/bench ]; then scripts/bench $(BUILD); else echo "no benchmarks yet"; fi

fuzz: deps
	@if [ -x scripts/fuzz ]; then scripts/fuzz; else echo "no fuzz targets yet"; fi

# The Debian package, from a release build of its own without the tests.
package: deps
	scripts/package build-package

# Builds the package and tries it on a fresh minimal Debian root (root, minutes;
# not part of make test).
package-check:
	scripts/package-check

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-tsan build-package
