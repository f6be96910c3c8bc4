#!/usr/bin/env bash
# Start-up under Xvfb and openbox (the end-to-end tests' harness), in three
# environments of the session bus (bench/startup_envs.sh): the program, the
# empty window and the plain widget grid take turns, RUNS times each; prints
# the probe's STARTUP lines with the environment's name after STARTUP.
#   GLYPHERY=... BENCH_BIN=<folder of the bench programs> RUNS=15 startup.sh
# BENCH_LANG=de_DE.UTF-8 starts every program in that language.
set -u
here=$(dirname "${BASH_SOURCE[0]}")
exec python3 "$here/../tests/e2e/harness.py" \
    bash "$here/startup_envs.sh" "$BENCH_BIN" "$GLYPHERY" "${RUNS:-15}" "${BENCH_LANG:-}"
