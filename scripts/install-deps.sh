#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building (with "test", testing; with
# "windows", the Windows build) needs,
# and only those that are missing.
set -euo pipefail

build_packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libsdl2-mixer-dev libpulse-dev libxcb1-dev librsvg2-bin dpkg-dev)
test_packages=(xvfb xauth openbox trayer xdotool wmctrl x11-utils x11-apps dbus dbus-x11 at-spi2-core
    python3 python3-pyatspi python3-xlib imagemagick faketime fonts-dejavu-core
    pulseaudio pulseaudio-utils sox desktop-file-utils appstream lintian reuse mandoc man-db
    haskell-status-notifier-item-utils haskell-gtk-sni-tray-utils python3-dbusmock python3-dbus
    gnome-shell gnome-shell-extension-appindicator xwayland
    kwin-wayland plasma-workspace plasma-desktop qtwayland5 qt6-wayland
    xfwm4 xfce4-panel xfce4-settings
    pipewire pipewire-pulse pipewire-bin wireplumber)

# The Windows program: the cross compiler, the icon's packer, the MSI builder,
# and Wine to run it.
windows_packages=(cmake make g++ librsvg2-bin g++-mingw-w64-x86-64-posix icoutils wixl msitools wine wine64)

wanted=("${build_packages[@]}")
[ "${1:-}" = test ] && wanted+=("${test_packages[@]}" "${windows_packages[@]}")
[ "${1:-}" = windows ] && wanted=("${windows_packages[@]}")

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
