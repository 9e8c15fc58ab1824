#!/usr/bin/env bash
# Builds the program and starts it with its data in ./data beside the checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pelmor-invoicer
mkdir -p data
PELMOR_DATA_DIR="$PWD/data" exec ./build/pelmor-invoicer
