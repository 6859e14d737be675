#!/usr/bin/env bash
# Builds the program and prints the table of figures on bookingfiles of 20,000, 500,000 and
# 2,000,000 bookings (about 10 minutes; less once the files are cached). Arguments go to the
# bench: other sizes ("scripts/bench.sh 20000 2000000"), or --quick for fewer runs per figure.
# The files are cached in $VANTIX_BENCH_CACHE (default: <temp>/vantix-bench), about 1 GB.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target bench_table
exec build/bench/bench_table "$@"
