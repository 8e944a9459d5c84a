# TYPORIN: `make run` builds and starts the program, `make test` builds and runs the whole suite,
# `make bench` builds and runs the benchmarks. Each first installs the Debian packages it needs.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

# What building, running and testing need.
PACKAGES := cmake make g++ pkg-config \
	qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 qt6-svg-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	fonts-ipafont-gothic fontconfig
# What the benchmarks need on top: a virtual X display.
BENCH_PACKAGES := xvfb xauth x11-utils
# What the input-method tests and benchmark need on top: a virtual X display, a private session
# bus, fcitx5 and ibus with Mozc and their Qt modules, and real X key events.
IME_PACKAGES := xvfb xauth xdotool dbus dbus-x11 util-linux \
	fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc libxtst-dev
# What the tests of the install tree need on top: Qt's Japanese texts, the desktop validators.
INSTALL_TEST_PACKAGES := qt6-translations-l10n desktop-file-utils appstream
# What building and checking the Debian package needs on top.
PACKAGE_PACKAGES := dpkg-dev file lintian

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# Installs the packages of $(1) that are missing; silent when all are there.
define install_missing
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing \
			>/dev/null || exit 1; \
	fi
endef

.PHONY: all deps bench-deps configure build run test bench format clean
.PHONY: package-deps package

all: build

deps:
	$(call install_missing,$(PACKAGES))
	$(call install_missing,$(INSTALL_TEST_PACKAGES))

bench-deps: deps
	$(call install_missing,$(BENCH_PACKAGES))

.PHONY: ime-deps
ime-deps: deps
	$(call install_missing,$(IME_PACKAGES))

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./typorin

test: build ime-deps
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: bench-deps ime-deps build
	@sh bench/run.sh $(BUILD_DIR)

# The Debian package, typorin_<version>_<arch>.deb in the build folder, checked by lintian.
# Install it with: sudo apt-get install ./build/typorin_*.deb
package-deps: deps
	$(call install_missing,$(PACKAGE_PACKAGES))

package: package-deps build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --fail-on error $(BUILD_DIR)/typorin_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
