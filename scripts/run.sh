#!/usr/bin/env bash
# Builds the program and starts it in build/run/ on a working copy of the demonstration bookingfile,
# so that the files the tests read stay as they were built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p build/run
cp build/Vantix build/Emptydatabase.mdb "build/Vantix Help.html" build/run/
[ -f build/run/Demodata.mdb ] || cp build/Demodata.mdb build/run/Demodata.mdb
[ -f build/run/paths.mdb ] || build/mkdb build/run/paths.mdb schema/paths.sql --sti "$PWD/build/run/Demodata.mdb"
exec build/run/Vantix
