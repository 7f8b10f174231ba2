# Set-up, build, run and test on a Debian 12 machine.
BUILD     ?= build
BUILD_SAN ?= build-sanitize
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
SAMPLE    ?= examples/sample_standard.csv

# Debian packages the build, the tests and the real-window check need.
PACKAGES = cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev googletest \
           libbenchmark-dev libpng-dev zlib1g-dev libfftw3-dev libarchive-dev libmseed-dev sac2mseed pybind11-dev python3-dev python3-numpy python3-pytest python3-distributed fonts-ipafont-gothic qt6-translations-l10n \
           xvfb x11-utils xdotool xclip imagemagick locales \
           desktop-file-utils appstream shared-mime-info dpkg-dev

FUZZ_SECONDS ?= 60
BUILD_FUZZ ?= build-fuzz
FUZZ_PACKAGES = clang libclang-rt-14-dev

.PHONY: all setup configure build run test bench test-sanitize fuzz mutants package package-check clean

all: build

setup:
	@tools/install-packages.sh $(PACKAGES)

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "tremvix needs a graphical display, and none is set (DISPLAY is empty)."; \
	  echo "Run it from a desktop session, or start one with: xvfb-run -a make run"; \
	  exit 1; \
	fi
	$(BUILD)/src/tremvix $(SAMPLE)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target tremvix_benchmarks tremvix_python tremvix
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; \
	  QT_QPA_PLATFORM=offscreen "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done
	@echo "== bench/bench_python.py"
	PYTHONPATH=$(BUILD)/python /usr/bin/python3 bench/bench_python.py $(BUILD)

test-sanitize: setup
	cmake -S . -B $(BUILD_SAN) -DCMAKE_BUILD_TYPE=Debug -DTREMVIX_SANITIZE=ON -DTREMVIX_BUILD_BENCH=OFF
	cmake --build $(BUILD_SAN) -j $(JOBS)
	cd $(BUILD_SAN) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz: setup
	@tools/install-packages.sh $(FUZZ_PACKAGES)
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREMVIX_FUZZ=ON \
	  -DTREMVIX_SANITIZE=ON -DTREMVIX_BUILD_UI=OFF -DTREMVIX_BUILD_TESTS=OFF -DTREMVIX_BUILD_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	tools/run-fuzzers.sh $(BUILD_FUZZ)/fuzz fuzz/corpus $(FUZZ_SECONDS)

# A Debian package of what `cmake --install` installs, in build/.
package: build
	cd $(BUILD) && cpack -G DEB

# The package's dependencies, files and program; CHROOT=1 installs it in a fresh Debian 12.
package-check: package
	tools/check-package.sh $(BUILD) $(if $(CHROOT),--chroot)

# Single-line faults put in one at a time; says which ones no test notices. Slow.
mutants: build
	tools/mutants/run-mutants.py $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_FUZZ)
