#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing.
# Usage: tools/install-deps.sh [run|test]
set -euo pipefail

want=(cmake make g++ pkg-config qt6-base-dev libgl-dev mdbtools mdbtools-dev libseccomp-dev fonts-noto-cjk
      qt6-translations-l10n)
if [ "${1:-run}" = test ]; then
  want+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth x11-utils openbox xdotool
         desktop-file-utils appstream dpkg-dev lintian man-db orca dbus-x11 at-spi2-core)
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo=sudo; else
    echo "需要 root 权限安装：${missing[*]}" >&2; exit 1
  fi
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
