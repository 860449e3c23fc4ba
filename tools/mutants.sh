#!/usr/bin/env bash
# Plants plausible faults one at a time in a scratch copy of the tree and reports which ones the tests
# catch (see tools/mutants.py). A developer tool: slow, and not part of CI.
#   tools/mutants.sh [--list] [--only N[,M...]] [--jobs N] [--timeout SECONDS] [--matrix FILE]
#   tools/mutants.sh --ratio      only the share of test code (tools/count-lines.sh)
# The scratch copy lives in $VP_MUTANTS_DIR (default /tmp/vp-mutants-$USER); the X11 tests use $DISPLAY.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "${1:-}" = --ratio ]; then
  exec "$here/count-lines.sh" "${@:2}"
fi
exec python3 "$here/mutants.py" "$@"
