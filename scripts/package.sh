#!/usr/bin/env bash
# Builds the program and its Debian package, build/pelmor-invoicer_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pelmor-invoicer
cd build
rm -f pelmor-invoicer_*.deb
cpack -G DEB
