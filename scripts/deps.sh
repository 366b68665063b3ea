#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
set -euo pipefail
PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl1-mesa-dev libssl-dev libssh-dev libgtest-dev
          libbenchmark-dev xvfb xauth fonts-wqy-microhei qt6-translations-l10n tftp-hpa tftpd-hpa
          clang libclang-rt-14-dev desktop-file-utils
          libqt6sql6-sqlite openssh-client qt6-charts-dev libqt6opengl6-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
