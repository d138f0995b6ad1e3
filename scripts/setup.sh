#!/usr/bin/env bash
# Installs the Debian packages the build, the data builder and the tests need, when any is missing.
# Idempotent and quiet when everything is there. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libjpeg62-turbo-dev libvorbis-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
