#!/usr/bin/env bash
# Builds the program and starts it on the demonstration bookingfile.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
build/mkdb build/paths.mdb schema/paths.sql --sti "$PWD/build/Demodata.mdb"
exec build/Vantix
