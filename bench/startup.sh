#!/usr/bin/env bash
# Start-up under Xvfb and openbox (the end-to-end tests' harness): the
# program, the empty window and the plain widget grid take turns, RUNS times
# each; prints the probe's STARTUP lines.
#   GLYPHERY=... BENCH_BIN=<folder of the bench programs> RUNS=15 startup.sh
set -u
exec python3 "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/harness.py" \
    "$BENCH_BIN/startup_probe" "${RUNS:-15}" Glyphery "$GLYPHERY" "$BENCH_BIN/bare_window" "$BENCH_BIN/bare_grid"
