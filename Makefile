# Two commands on a fresh Debian 12 machine: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

# Debian packages the build and the tests need.
PACKAGES = cmake make g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libicu-dev \
           fonts-liberation fontconfig xvfb xauth openbox xdotool xclip x11-utils \
           desktop-file-utils appstream lintian dpkg-dev file librsvg2-bin groff-base \
           binutils-mingw-w64-x86-64

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/glyphery

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)

# Installing and packaging. `make install` puts the program, its desktop
# entry, metadata, icons and man page under PREFIX, below DESTDIR when given;
# `make package` writes $(BUILD_DIR)/glyphery_<version>_<arch>.deb.
PREFIX ?= /usr/local

.PHONY: install package

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -G DEB -B "$(abspath $(BUILD_DIR))"
