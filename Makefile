# Thin wrapper over the CMake presets; each target first installs the Debian
# packages of its own groups in tools/packages.txt that are missing, and no
# others.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
WEB_PORT ?= 8000

.PHONY: all build ci debian13-test arm64-package armhf-package armhf-deb13-package test clang asan fuzz bench run package windows windows-package arm64 armhf pi-install-check web web-run web-package release release-check clean

all: build

DEPS = tools/install-deps

# The program alone: no tests, no benchmarks.
build:
	@$(DEPS) cmake build
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# The Linux program's tests, with warnings as errors (CI runs every
# platform's: .ci/run).
test:
	@$(DEPS) cmake build test
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)

# What CI runs, every leg (.ci/run).
ci:
	bash .ci/run

# make test as a newcomer runs it on Debian 13: in a fresh root of it, made
# from the archive and thrown away after (tools/fresh-debian).
debian13-test:
	@$(DEPS) fresh
	tools/fresh-debian trixie test

# Every test again, built with Debian's clang, with the benchmarks and the
# Windows version record compiled too.
clang:
	@$(DEPS) cmake build test clang bench
	cmake --preset ci-clang
	cmake --build --preset ci-clang -j $(JOBS)
	ctest --preset ci-clang -j $(JOBS)

# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	@$(DEPS) cmake build test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS.
fuzz:
	@$(DEPS) cmake build clang
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tools/run-fuzzers build/fuzz $(FUZZ_SECONDS)

bench:
	@$(DEPS) cmake build bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	build/bench/bench/calculate_fix_bench

# The Debian package, in build/release.
package: build
	cd build/release && cpack -G DEB

# The Windows program, cross-built with MinGW-w64, and every Windows test
# under Wine, in a private prefix and X display that tools/wine-session
# holds around ctest and ends afterwards.
windows:
	@$(DEPS) cmake windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	tools/wine-session build/windows/wine ctest --preset windows -j $(JOBS)

# The zip of the Windows program for users and its installer, in
# build/windows.
windows-package:
	@$(DEPS) cmake windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	cd build/windows && cpack -G ZIP

# The Linux program for the Raspberry Pi, cross-built with Debian's arm64 or
# armhf toolchain against a root of that architecture's Debian
# (build/roots/linux-ARCH, made once by tools/make-sysroot), and its tests
# (core, form, window on the offscreen platform, resources, package) under
# qemu-user in that root; the package is
# build/linux-ARCH/tests/resources/package/out/quorvel_<version>_ARCH.deb.
arm64 armhf:
	@$(DEPS) cmake build test pi
	tools/make-sysroot $@ build/roots/linux-$@
	cmake --preset linux-$@
	cmake --build --preset linux-$@ -j $(JOBS)
	ctest --preset linux-$@ -j $(JOBS)

# The release's package of the Pi program alone, in
# build/package-ARCH/packages: tools/release builds the Debian 13 armhf one so,
# in a Debian 13 root, with the commit, its time and the version's suffix
# given (QUORVEL_SOURCE_COMMIT, SOURCE_DATE_EPOCH, QUORVEL_DEB_VERSION_SUFFIX).
PACKAGE_ENV = env TZ=UTC0 LC_ALL=C.UTF-8 $(if $(SOURCE_DATE_EPOCH),SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH))
arm64-package armhf-package:
	@$(DEPS) cmake build pi
	tools/make-sysroot $(@:-package=) build/roots/linux-$(@:-package=)
	$(PACKAGE_ENV) cmake -S . -B build/package-$(@:-package=) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-$(@:-package=).cmake \
		-DCMAKE_SYSROOT=$(CURDIR)/build/roots/linux-$(@:-package=) \
		-DQUORVEL_SOURCE_COMMIT=$(QUORVEL_SOURCE_COMMIT) \
		-DQUORVEL_DEB_VERSION_SUFFIX=$(QUORVEL_DEB_VERSION_SUFFIX)
	$(PACKAGE_ENV) cmake --build build/package-$(@:-package=) -j $(JOBS)
	cd build/package-$(@:-package=) && $(PACKAGE_ENV) cpack -G DEB -B $(CURDIR)/build/package-$(@:-package=)/packages

# The armhf package for Debian 13 (Debian 13 renamed Qt's armhf libraries
# for 64-bit time), built on Debian 13 so that the Qt tools are of its Qt: make
# armhf-package in a fresh Debian 13 root, against a Debian 13 armhf root made
# here once and copied in; the package is in DEB13_OUT.
DEB13_OUT ?= build/package-armhf-deb13
armhf-deb13-package:
	@$(DEPS) fresh
	QUORVEL_SYSROOT_SUITE=trixie tools/make-sysroot armhf build/roots/trixie-armhf
	rm -rf $(DEB13_OUT)
	tools/fresh-debian --in build/roots/trixie-armhf /src/build/roots/linux-armhf \
		--out /src/build/package-armhf/packages $(DEB13_OUT) trixie armhf-package \
		QUORVEL_SOURCE_COMMIT=$(QUORVEL_SOURCE_COMMIT) SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) \
		QUORVEL_DEB_VERSION_SUFFIX=+deb13

# Each Pi package with what apt resolves for it from Debian's archive, in
# roots of the Debian releases it serves (mmdebstrap), its program started
# there under Xvfb and the window's tests run on that Qt, through qemu-user's
# static emulator unpacked from its .deb (see tools/pi-install-check). It
# downloads a root for each, so it is left to developers.
pi-install-check: arm64 armhf armhf-deb13-package
	@$(DEPS) pi-install-check
	tools/pi-install-check arm64 bookworm build/linux-arm64
	tools/pi-install-check arm64 trixie build/linux-arm64
	tools/pi-install-check armhf bookworm build/linux-armhf
	tools/pi-install-check armhf trixie $(DEB13_OUT)/quorvel_*+deb13_armhf.deb

# The web page in build/web/site, compiled to WebAssembly by emscripten, and
# its tests: the core under Node, the page in headless Chromium, and what can
# differ between engines in Firefox ESR and WebKitGTK too.
web:
	@$(DEPS) cmake web
	cmake --preset web
	cmake --build --preset web -j $(JOBS)
	ctest --preset web -j $(JOBS)

# The page served on this machine only, until Ctrl+C.
web-run:
	@$(DEPS) cmake web
	cmake --preset web
	cmake --build --preset web -j $(JOBS) --target quorvel_site
	@echo "Quorvel is at http://localhost:$(WEB_PORT)/ (Ctrl+C stops it)"
	/usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build/web/site $(WEB_PORT)

# The zip of the page's files for any web host, in build/web.
web-package:
	@$(DEPS) cmake web
	cmake --preset web
	cmake --build --preset web -j $(JOBS) --target quorvel_site_zip

# Every download of the committed tree (HEAD) into dist/, with SHA256SUMS
# and, given keys, signatures (see tools/release).
release:
	@$(DEPS) cmake build test pi windows web release
	tools/release dist

# make release twice, in two folders at two times, and the same bytes from
# both; then the same build signed with throwaway keys.
release-check:
	@$(DEPS) cmake build test pi windows web release
	tools/release-check

# Says so, and how to run it under xvfb-run, when there is no X server.
run: build
	@build/release/ui/qt/quorvel

clean:
	rm -rf build
