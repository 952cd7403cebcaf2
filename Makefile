# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The two everyday commands: `make run` and `make test`.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
PACKAGE_BUILD ?= build-package
WINDOWS_BUILD ?= build-windows
JOBS ?= 2

.PHONY: all build windows windows-package run test sanitize-test unit-test e2e-test desktop-test bench package screenshots clean

all: build

build:
	@scripts/install-deps.sh
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

# The Windows program, cross-built with MinGW-w64: $(WINDOWS_BUILD)/alarm-clock.exe
# with its bell, alarm.wav, beside it.
windows:
	@scripts/install-deps.sh windows
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WINDOWS_BUILD) -j$(JOBS)

# The Windows installer and the portable zip, from that build:
# $(WINDOWS_BUILD)/alarm-clock-<version>-win64.msi and .zip.
windows-package: windows
	cmake --build $(WINDOWS_BUILD) --target windows-package

run: build
	$(BUILD)/alarm-clock

# Every test, then the unit and end-to-end tests again on a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
test:
	@scripts/install-deps.sh test
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure
	$(MAKE) sanitize-test

sanitize-test:
	@scripts/install-deps.sh test
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALARM_CLOCK_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -LE 'install|release|desktops|windows' -E selfcheck

unit-test: build
	cd $(BUILD) && ctest --output-on-failure -L unit

e2e-test: build
	cd $(BUILD) && ctest --output-on-failure -L e2e

desktop-test: build
	@scripts/install-deps.sh test
	cd $(BUILD) && ctest --output-on-failure -L desktops

bench: build
	@scripts/install-deps.sh test
	bench/run.sh $(BUILD)

# The Debian package, from a Release build of its own configured for /usr, the
# prefix the package installs to.
package:
	@scripts/install-deps.sh
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(PACKAGE_BUILD) -j$(JOBS) --target package

# The README's pictures of the window and of the ringing box, taken from the
# built program on the end-to-end tests' private desktop, and of the Windows
# program's window under Wine.
screenshots: build windows
	@scripts/install-deps.sh test
	/usr/bin/python3 scripts/screenshots.py $(BUILD)/alarm-clock docs/screenshots $(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD) $(WINDOWS_BUILD)
