# The two commands of the README:
#   make run   - install what is missing, build, start the game
#   make test  - install what is missing, build, run every test (plain and sanitized builds)
# and the Debian package:
#   make deb   - build, then build/torvane_<version>_amd64.deb
PACKAGES := g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  libasound2-dev qt6-base-dev libxcb1-dev qt6-translations-l10n fonts-ipafont-gothic xvfb xauth xdotool \
  imagemagick librsvg2-bin desktop-file-utils appstream libxml2-utils groff-base dpkg-dev x11-utils \
  libx11-dev openbox clang libclang-rt-14-dev clang-format at-spi2-core python3-pyatspi dbus-x11
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS := $(shell nproc)

.PHONY: run test deps format format-check build build-asan build-fuzz fuzz bench deb clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

# Configured every time so that an older build directory also gets warnings as errors.
build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_WERROR=ON >/dev/null
	cmake --build build -j $(JOBS)

build-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_SANITIZE=ON -DTORVANE_WERROR=ON >/dev/null
	cmake --build build-asan -j $(JOBS)

# The libFuzzer targets need clang; they get their own build directory, so the rest of the
# project builds with any compiler.
FUZZ_FLAGS := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all \
              -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS \
              -fsanitize-coverage-ignorelist=$(CURDIR)/tests/fuzz/coverage_ignore.txt
FUZZ_SECONDS := 20
build-fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTORVANE_FUZZ=ON -DTORVANE_BENCH=OFF -DTORVANE_NO_GUI=ON "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target fuzzers

# Each fuzz target for FUZZ_SECONDS; a crash fails the command.
fuzz: build-fuzz
	tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# The game reads its sounds and keeps its settings and records in the play directory.
run: build
	mkdir -p build/play
	cd build/play && ../torvane

# The house style (.clang-format): `make format` applies it, the test command checks it.
SOURCES = $(shell find src tests testkit bench tools -name '*.cpp' -o -name '*.h')
format:
	clang-format -i $(SOURCES)
format-check: deps
	clang-format --dry-run --Werror $(SOURCES)

# The plain build also plays a game by mouse under Xvfb (ctest -L e2e runs only that).
test: format-check build build-asan
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)
	@if command -v clang++ >/dev/null; then $(MAKE) --no-print-directory fuzz; \
	else echo "clang++ is not installed: the fuzz targets are skipped"; fi

# The computer player's benchmarks, a full redraw of the window, then start-up time, memory
# and processor use of the game against a bare Qt window, with a summary of the goals.
bench: build
	bash bench/run.sh build

# Dependencies come from the binaries (dpkg-shlibdeps, in dpkg-dev) plus the font and Qt's
# Japanese button texts.
deb: build
	cd build && cpack -G DEB
	@ls -l build/torvane_*.deb

clean:
	rm -rf build build-asan build-fuzz
