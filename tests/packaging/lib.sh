# Helpers for the packaging tests. Source this file: it makes a private
# temporary folder ($WORK, removed on exit unless PKG_KEEP=1) and counts
# failures, so a test reports every problem it finds, then fails.
#
# Environment: BUILD_DIR (the configured and built tree), SOURCE_DIR,
# GLYPHERY_VERSION.

set -u -o pipefail

APP_ID=org.glyphery.Glyphery
VERSION=${GLYPHERY_VERSION:-}    # project(VERSION) in CMakeLists.txt
[ -n "$VERSION" ] || { echo "FAIL: GLYPHERY_VERSION is not set" >&2; exit 1; }
FAILED=0

WORK=$(mktemp -d "${TMPDIR:-/tmp}/glyphery-pkg.XXXXXX") || { echo "FAIL: mktemp" >&2; exit 1; }
cleanup() {
    if [ "${PKG_KEEP:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*" >&2; FAILED=1; }

# need VAR...: stops at once when a variable the test relies on is missing.
need() {
    for v in "$@"; do
        if [ -z "${!v:-}" ]; then echo "FAIL: $v is not set" >&2; exit 1; fi
    done
}

# need_tool CMD PACKAGE: a missing checker is a failure, never a pass.
need_tool() {
    command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (Debian package $2)" >&2; exit 1; }
}

# quiet_ok WHAT COMMAND...: the command must succeed and print nothing at all.
quiet_ok() {
    local what=$1 out status
    shift
    out=$("$@" 2>&1)
    status=$?
    if [ "$status" -eq 0 ] && [ -z "$out" ]; then
        ok "$what"
    else
        fail "$what: exit status $status, output:"
        printf '%s\n' "$out" | sed 's/^/    /' >&2
    fi
}

# check_eq WHAT EXPECTED ACTUAL
check_eq() {
    if [ "$2" = "$3" ]; then ok "$1 is '$3'"; else fail "$1: expected '$2', got '$3'"; fi
}

# check_same_lines WHAT EXPECTED_FILE ACTUAL_FILE: equal after sorting.
check_same_lines() {
    local diffs
    diffs=$(diff <(LC_ALL=C sort "$2") <(LC_ALL=C sort "$3"))
    if [ -z "$diffs" ]; then
        ok "$1 ($(wc -l <"$3") entries)"
    else
        fail "$1 differs (< expected, > actual):"
        printf '%s\n' "$diffs" | sed 's/^/    /' >&2
    fi
}

finish() {
    if [ "$FAILED" -ne 0 ]; then
        echo "$(basename "$0"): FAILED" >&2
        exit 1
    fi
    echo "$(basename "$0"): all checks passed"
    exit 0
}
