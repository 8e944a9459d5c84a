# SPDX-License-Identifier: GPL-3.0-or-later
# TYPORIN: `make run` builds and starts the program, `make test` builds and runs the whole suite,
# `make bench` builds and runs the benchmarks, `make sanitize` builds the suite with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs it, `make fuzz` builds the libFuzzer targets with clang
# and runs each for FUZZ_SECONDS. Each first installs the Debian packages it needs.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

# What building, running and testing need.
PACKAGES := cmake make g++ pkg-config \
	qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev \
	qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools \
	libdbus-1-dev libwayland-dev wayland-protocols libxcb1-dev libxcb-xkb-dev \
	libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev \
	fonts-ipafont-gothic fontconfig clang-format
# What the benchmarks need on top: a virtual X display.
BENCH_PACKAGES := xvfb xauth x11-utils
# What the input-method tests and benchmark need on top: a virtual X display and a headless
# Wayland compositor with Qt's Wayland platform, a private session bus, fcitx5 (Mozc, Anthy,
# SKK with its dictionary) and ibus (Mozc, KKC, Anthy, which runs on Python's GObject module)
# with their Qt modules, real key events for both, setxkbmap to change the X keymap, and sqlite3
# to read what a scripted session stored.
IME_PACKAGES := xvfb xauth xdotool dbus dbus-x11 util-linux \
	sway wtype qt6-wayland \
	fcitx5 fcitx5-mozc fcitx5-anthy fcitx5-skk skkdic fcitx5-frontend-qt6 \
	ibus ibus-mozc ibus-kkc ibus-anthy python3-gi libxtst-dev x11-xkb-utils sqlite3
# What the tests of the install tree need on top: Qt's Japanese texts, the desktop validators.
INSTALL_TEST_PACKAGES := qt6-translations-l10n desktop-file-utils appstream
# What building and checking the Debian package needs on top.
PACKAGE_PACKAGES := dpkg-dev file lintian
# What the fuzzers need on top: clang and its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES := clang libfuzzer-14-dev libclang-rt-14-dev

# The sanitizer suite and the fuzzers build in folders of their own. -O1 without debug
# information keeps the sanitizer build within CI's time on two cores; only the tests are built.
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30
SANITIZE_FLAGS := -O1 -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
FUZZ_FLAGS := -O1 -g -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined
CCACHE := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# apt-get, waiting while another install holds the package system (an unattended upgrade, a
# second make): apt waits for dpkg's lock itself; a lock of its lists or archives makes it
# fail at once, and it is tried again, for up to 10 minutes in all.
APT_GET := $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600
define apt_get
	waited=0; \
	while ! output=$$($(APT_GET) $(1) 2>&1); do \
		if echo "$$output" | grep -q 'Could not get lock' && [ $$waited -lt 600 ]; then \
			[ $$waited = 0 ] && echo "Waiting for another package install to finish"; \
			sleep 5; waited=$$((waited + 5)); \
		else \
			echo "$$output" >&2; exit 1; \
		fi; \
	done
endef

# Installs the packages of $(1) that are missing; silent when all are there. With $(2) set to
# "optional", a package that cannot be installed is reported and left out (the tests that need
# it are skipped) instead of failing.
define install_missing
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(call apt_get,update -qq); \
		if [ "$(2)" != optional ]; then \
			$(call apt_get,install -y -qq --no-install-recommends $$missing); \
		else \
			for p in $$missing; do \
				( $(call apt_get,install -y -qq --no-install-recommends $$p) ) 2>/dev/null || \
					echo "Cannot install $$p: the tests that need it are skipped"; \
			done; \
		fi; \
	fi
endef

.PHONY: all deps bench-deps fuzz-deps configure build run test bench sanitize fuzz format clean
.PHONY: package-deps package

all: build

deps:
	$(call install_missing,$(PACKAGES))
	$(call install_missing,$(INSTALL_TEST_PACKAGES))

bench-deps: deps
	$(call install_missing,$(BENCH_PACKAGES))

.PHONY: ime-deps
ime-deps: deps
	$(call install_missing,$(IME_PACKAGES),optional)

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CCACHE) >/dev/null

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

sanitize: deps
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Sanitize $(CCACHE) \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS) --target core_tests ui_tests
	@# Only the unit and window suites: the install-tree and input-method tests run the program
	@# of the normal build, in `make test`.
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1:strict_string_checks=1:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) -R '^(core_tests|ui_tests)$$'

fuzz: fuzz-deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Fuzz -DTYPORIN_FUZZ=ON $(CCACHE) \
		-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	@sh fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
