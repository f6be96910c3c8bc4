#!/usr/bin/env bash
# Runs every benchmark against the Release build folder $1 and prints one
# table: the handlers in process (offscreen), the soak, and start-up and
# memory under Xvfb and openbox against an empty Qt window of the same kind.
#   bench/run.sh build-release        (STARTUP_RUNS=15 HANDLER_SAMPLES=200)
# BENCH_LANG=de_DE.UTF-8 runs the start-up in that language; BENCH_ONLY=startup
# runs only the start-up.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-build-release}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphery-bench.XXXXXX")
trap '[ -n "${BENCH_KEEP:-}" ] || rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8

load=$(cut -d' ' -f1-3 /proc/loadavg)
: >"$work/handlers"
: >"$work/soak"
if [ "${BENCH_ONLY:-}" != startup ]; then
    echo "running the handlers (offscreen)..." >&2
    QT_QPA_PLATFORM=offscreen "$build/bench/bench_handlers" "${HANDLER_SAMPLES:-200}" >"$work/handlers" \
        2>"$work/handlers.log" || { cat "$work/handlers.log" >&2; exit 1; }
    echo "running the soak (offscreen)..." >&2
    QT_QPA_PLATFORM=offscreen "$build/bench/bench_handlers" --soak >"$work/soak" 2>"$work/soak.log" ||
        { cat "$work/soak.log" >&2; exit 1; }
fi
echo "running start-up under Xvfb and openbox..." >&2
GLYPHERY="$build/glyphery" BENCH_BIN="$build/bench" RUNS="${STARTUP_RUNS:-15}" \
    bash "$here/startup.sh" >"$work/startup" 2>"$work/startup.log" || { cat "$work/startup.log" >&2; exit 1; }

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)
renderer="software: Qt raster paint engine; handlers on the offscreen platform, start-up on Xvfb 1280x800x24 with openbox, locale ${BENCH_LANG:-C.UTF-8}"

awk -F'\t' -v date="$(date '+%Y-%m-%d %H:%M %Z')" -v cpu="$cpu" -v cores="$(nproc)" -v qt="${qt:-?}" \
    -v kernel="$(uname -r)" -v load="$load" -v renderer="$renderer" '
function row(name, median, p90, target, result) {
    printf "%-52s %10s %10s %10s  %s\n", name, median, p90, target, result
}
function ms(x) { return sprintf("%.2f ms", x) }
function mb(kb) { return sprintf("%.1f MiB", kb / 1024) }
function verdict(value, limit) { return value <= limit ? "met" : "MISSED" }
FILENAME ~ /handlers$/ && $1 == "RESULT" {
    name[++n] = $2; median[n] = $3; p90[n] = $4
}
FILENAME ~ /soak$/ && $1 == "SOAK" { steps = $2; copies = $3; first = $4; last = $5; perstep = $6 }
FILENAME ~ /startup$/ && $1 == "STARTUP" {
    e = $2; p = $3; sub(/.*\//, "", p)
    if (!(e in seen)) { seen[e] = 1; envs[++nenv] = e }
    view[e, p] = $4; view90[e, p] = $5; paint[e, p] = $6; rss[e, p] = $7; runs[p] = $8; paintrss[e, p] = $9
}
END {
    printf "Glyphery benchmarks, %s\n", date
    printf "machine: %s x %s, Linux %s, Qt %s, load average at start %s\n", cores, cpu, kernel, qt, load
    printf "rendering: %s\n\n", renderer
    row("measurement", "median", "p90", "target", "")
    row("-----------", "------", "---", "------", "")
    for (i = 1; i <= n; i++) {
        limit = name[i] ~ /1 MB/ ? 20 : 8
        if (name[i] ~ /drawn anew/)
            row(name[i], ms(median[i]), ms(p90[i]), "", "(reference)")
        else
            row(name[i] " + repaint", ms(median[i]), ms(p90[i]), "<= " limit " ms", verdict(median[i], limit))
    }
    label["nobus"] = "no session bus (libdbus launches one)"
    label["session"] = "a session bus"
    label["a11y"] = "a session bus and the accessibility bus"
    for (k = 1; k <= nenv; k++) {
        e = envs[k]
        printf "\nstart-up, launch until viewable with its title, %s (%d runs each, taking turns):\n", label[e], runs["glyphery"]
        row("glyphery", ms(view[e, "glyphery"]), ms(view90[e, "glyphery"]), "", "")
        row("bare window (floor)", ms(view[e, "bare_window"]), ms(view90[e, "bare_window"]), "", "")
        row("224 line edits in plain Qt (reference)", ms(view[e, "bare_grid"]), ms(view90[e, "bare_grid"]), "", "")
        ratio = view[e, "glyphery"] / view[e, "bare_window"]
        row("ratio glyphery / floor", sprintf("%.2fx", ratio), "", "<= 1.25x", verdict(ratio, 1.25))
        row("ratio line-edit grid / floor (reference)", sprintf("%.2fx", view[e, "bare_grid"] / view[e, "bare_window"]), "", "", "")
        if (paint[e, "glyphery"] >= 0) {
            row("first drawing into the window, glyphery", ms(paint[e, "glyphery"]), "", "", "")
            row("first drawing, bare window", ms(paint[e, "bare_window"]), "", "", "")
        }
        row("VmRSS when viewable, glyphery", mb(rss[e, "glyphery"]), "", "", "")
        row("VmRSS when viewable, bare window (floor)", mb(rss[e, "bare_window"]), "", "", "")
        row("VmRSS when viewable, line edits (reference)", mb(rss[e, "bare_grid"]), "", "", "")
        diff = rss[e, "glyphery"] - rss[e, "bare_window"]
        row("difference glyphery - floor", sprintf("%+.1f MiB", diff / 1024), "", "<= +5 MiB", verdict(diff, 5 * 1024))
        if (paintrss[e, "glyphery"] > 0)
            row("difference at the first drawing (reference)",
                sprintf("%+.1f MiB", (paintrss[e, "glyphery"] - paintrss[e, "bare_window"]) / 1024), "", "", "")
    }
    if (steps == "")
        exit
    printf "\nsoak: %d arrow steps and %d copies in ten passes, one process (%.3f ms a step):\n", steps, copies, perstep
    row("VmRSS after the first pass", mb(first), "", "", "")
    row("VmRSS after the last pass", mb(last), "", "", "")
    row("growth", sprintf("%+d kB", last - first), "", "", "")
}' "$work/handlers" "$work/soak" "$work/startup"
