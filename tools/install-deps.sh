#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# or, given package names, those packages (apt-get as root, sudo
# otherwise). Does nothing when they are all present.
#
#   tools/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libgtk-3-dev libx11-dev xvfb xauth imagemagick x11-apps xdotool
  libzip-dev zlib1g-dev libexpat1-dev libmd4c-dev nlohmann-json3-dev
  libhunspell-dev hunspell-fr hunspell-en-us wordnet-base wx3.2-i18n
  desktop-file-utils appstream lintian dpkg-dev
  libreoffice-writer-nogui
  clang libclang-rt-14-dev
  neovim
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
