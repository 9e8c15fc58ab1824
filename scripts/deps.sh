#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and benchmarks need (only what is missing).
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev libgl-dev
          fonts-liberation poppler-utils libbenchmark-dev locales
          dpkg-dev desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
