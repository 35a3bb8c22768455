#!/usr/bin/env bash
# Installs the Debian packages that the Linux and Windows builds and their tests need.
# Idempotent: returns at once when everything is present.
set -euo pipefail

packages=(wine wine32:i386 wine64 g++-mingw-w64-i686-posix xvfb xauth x11-utils fonts-wqy-microhei
          fonts-wine locales cmake ninja-build g++ clang libclang-rt-14-dev googletest python3
          imagemagick)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Non-ASCII command-line arguments and profile paths need the zh_CN.UTF-8 locale under Wine.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
