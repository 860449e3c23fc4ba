#!/usr/bin/env bash
# Runs a cross-compiled Windows program under Wine; ctest and GoogleTest's test discovery call it:
#   cmake/wine-run.sh DEFAULT_PREFIX PROGRAM.exe [ARGUMENTS...]
# The prefix is WINEPREFIX when set, else DEFAULT_PREFIX (the build folder's own); a missing one is
# made first, once, under a lock, so tests started side by side do not race to make it. Wine stays
# quiet and never offers to install Mono or Gecko, and the program's CR LF line ends become LF, so
# that discovery reads the test names without a trailing CR. The output comes when the program
# has ended.
set -euo pipefail

default_prefix=$1
shift
export WINEPREFIX=${WINEPREFIX:-$default_prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

wine=$(command -v wine64 || command -v wine || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -z "$wine" ]; then
  echo "wine-run.sh: Wine is needed to run Windows programs here (Debian: wine, wine64)" >&2
  exit 127
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
      # No window manager on a test display: Wine's own windows then wait two seconds for one
      # whenever they are hidden. Unmanaged, they do not.
      "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 || true
      wineserver -w 2>/dev/null || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# Through files, not pipes: Wine's background services inherit the program's output and outlive it,
# and a reader of a pipe would wait for them.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
rc=0
"$wine" "$@" </dev/null >"$out" 2>"$err" || rc=$?
# A program that lost its connection to the Wine server (one ending just as the program started)
# has not run to a verdict; it runs once more.
if [ "$rc" -ne 0 ] && grep -q '^wine client error' "$err"; then
  rc=0
  "$wine" "$@" </dev/null >"$out" 2>"$err" || rc=$?
fi
sed 's/\r$//' "$out"
sed 's/\r$//' "$err" >&2
exit "$rc"
