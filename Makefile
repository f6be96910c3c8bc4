# Two commands on a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

# Debian packages. Building and running (`make`, `make run`, `make install`):
# the compiler, CMake, the development files of Qt and ICU, Qt's translation
# tools, po4a (the translated man pages) and dpkg-buildflags (the hardening
# flags, cmake/hardening.cmake); and what the package depends on and
# recommends, so that the program runs as it does installed.
BUILD_PACKAGES = cmake make g++ pkg-config qt6-base-dev libgl-dev libicu-dev libx11-dev \
                 qt6-tools-dev qt6-l10n-tools po4a dpkg-dev
RUN_PACKAGES = qt6-qpa-plugins xclip wl-clipboard qt6-wayland qt6-translations-l10n
# The test tools, which `make test` adds: X and Wayland servers and their
# drivers, Orca and AT-SPI, the checkers of the installed files and of the
# package, git and xz for the source release.
TEST_PACKAGES = fonts-liberation fontconfig xvfb xauth openbox xdotool x11-utils x11-xserver-utils \
                python3-pytest python3-pil python3-gi gir1.2-gtk-3.0 dbus-x11 at-spi2-core python3-pyatspi \
                orca speech-dispatcher dconf-gsettings-backend libglib2.0-bin \
                sway wtype qt6ct \
                desktop-file-utils appstream lintian file librsvg2-bin groff-base \
                binutils-mingw-w64-x86-64 devscripts diffoscope-minimal git xz-utils
PACKAGES = $(BUILD_PACKAGES) $(RUN_PACKAGES)
test test-asan distcheck: PACKAGES += $(TEST_PACKAGES)

# The one date of a build (cmake/reproducible.cmake): the commit's, from a
# source release's stamp or from git, unless the environment gives one. Qt's
# rcc writes it into the program, so every build sees it.
ifeq ($(SOURCE_DATE_EPOCH),)
SOURCE_DATE_EPOCH := $(shell { grep -x '[0-9][0-9]*' cmake/source-date-epoch || \
                       { [ -z "$$(git rev-parse --show-cdup 2>&1)" ] && git log -1 --format=%ct; }; } 2>/dev/null)
endif
export SOURCE_DATE_EPOCH

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test clean translations dist distcheck

# What apt and the packages' scripts run with: no questions (sudo would drop
# a DEBIAN_FRONTEND set before it), and not our build's date, which fontconfig's
# script takes for its cache's: a cache it then finds stale and deletes, so
# that the first program to start rebuilds it.
APT_ENV = env -u SOURCE_DATE_EPOCH DEBIAN_FRONTEND=noninteractive

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && \
	  $(SUDO) $(APT_ENV) apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

# A build folder configured with another date (an earlier commit's) is
# configured again, so that the new date reaches the program.
configure: deps $(BUILD_DIR)/CMakeCache.txt
	@[ "$$(cat $(BUILD_DIR)/source-date-epoch 2>/dev/null)" = "$(SOURCE_DATE_EPOCH)" ] || cmake $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# RUN_WITH goes before the program: `make run RUN_WITH="gdb --args"`.
run: build
	$(RUN_WITH) $(abspath $(BUILD_DIR))/glyphery

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)

# Brings translations/*.ts up to date with the texts in the sources, and
# translations/man/*.po with the man page; a new text then waits there for
# its translation (Qt Linguist, a PO editor, or a text editor).
translations: configure
	cmake --build $(BUILD_DIR) --target update_translations update_man_translations

# Installing and packaging. `make install` puts the program, its desktop
# entry, metadata, icons and man page under PREFIX, below DESTDIR when given;
# `make package` writes $(BUILD_DIR)/glyphery_<version>_<arch>.deb, the same
# bit for bit from the same commit (cmake/make_deb.sh).
PREFIX ?= /usr/local

.PHONY: install package

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	cmake --build $(BUILD_DIR) --target deb

# Benchmarks: a Release build of its own, then one table (bench/run.sh,
# recorded in docs/performance.md). The start-up probe is an X client and
# sees the window's first drawing through the XDamage extension.
# BENCH_ONLY=startup leaves out the handlers and the soak.
BENCH_DIR ?= build-release
bench: PACKAGES += $(TEST_PACKAGES) libxdamage-dev
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_ARGS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target bench_all
	BENCH_ONLY=$(BENCH_ONLY) bash bench/run.sh $(BENCH_DIR)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the test it comes from. Leak suppressions cover one-time
# allocations inside Qt's own libraries only (tests/robustness/lsan.supp).
# The sanitizers bring their own checks: no hardening flags here. The
# package's reproducibility is the plain build's test, not repeated here.
ASAN_DIR ?= build-asan
ASAN_FLAGS = -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHERY_HARDENING=OFF "-DCMAKE_CXX_FLAGS=$(ASAN_FLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(ASAN_FLAGS)" $(CMAKE_ARGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/robustness/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS) -E '^packaging_reproducible$$'

.PHONY: bench test-asan

# The whole suite, warnings as errors, in a root of another Debian release
# made with debootstrap (tools/debian_root.sh; as root, through sudo
# otherwise): SUITE=trixie is Debian 13 with Qt 6.8, SUITE=forky Debian
# testing with Qt 6.11, SUITE=bookworm Debian 12. The root is made once, in
# build-debian/SUITE, and kept for the next run: remove it for a fresh one.
# In it `make test` runs, then `make run` starts the program it built
# (offscreen, closed after 5 s with a termination signal; it must end with
# status 0). RUN_FIRST=1 runs `make run` first, with only its own packages,
# as on a new machine. bench-debian runs the start-up benchmark there
# against the bare window built there.
SUITE ?= trixie
ROOT_MAKE = make -C /src BUILD_DIR=/build CMAKE_ARGS=-DGLYPHERY_WERROR=ON
test-debian bench-debian: PACKAGES = debootstrap util-linux
ROOT_RUN = QT_QPA_PLATFORM=offscreen $(ROOT_MAKE) run RUN_WITH="timeout -s TERM --preserve-status 5"
test-debian: deps
	$(SUDO) env SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) tools/debian_root.sh $(SUITE) sh -c \
	  '$(if $(RUN_FIRST),$(ROOT_RUN) && $(ROOT_MAKE) test,$(ROOT_MAKE) test && $(ROOT_RUN))'
bench-debian: deps
	$(SUDO) tools/debian_root.sh $(SUITE) make -C /src bench BENCH_DIR=/build-release BENCH_ONLY=startup

.PHONY: test-debian bench-debian

# The source release of the commit: glyphery-VERSION.tar.xz, the same bytes
# every time (tools/make_dist.sh).
VERSION = $(shell sed -n 's/^project.Glyphery VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DIST = glyphery-$(VERSION)
dist: PACKAGES = git xz-utils
dist: deps
	tools/make_dist.sh .

# The source release built as a distribution builds it: unpacked into
# $(DISTCHECK_DIR), configured and built with CMake alone, warnings as errors,
# and the whole suite run there; without a network, in a network namespace of
# its own, where one can be had (as root).
DISTCHECK_DIR ?= build-distcheck
OFFLINE = $(shell [ "$$(id -u)" = 0 ] && unshare -n true 2>/dev/null && echo unshare -n)
distcheck: deps
	$(MAKE) dist
	rm -rf $(DISTCHECK_DIR)
	mkdir -p $(DISTCHECK_DIR)
	tar -xJf $(DIST).tar.xz -C $(DISTCHECK_DIR)
	@[ -n "$(OFFLINE)" ] || echo "note: no network namespace (not root): the network stays reachable" >&2
	$(OFFLINE) sh -c 'cd $(DISTCHECK_DIR) && cmake -S $(DIST) -B build -DGLYPHERY_WERROR=ON $(CMAKE_ARGS) && \
	  cmake --build build -j $(JOBS) && cd build && ctest --output-on-failure -j $(JOBS)'
