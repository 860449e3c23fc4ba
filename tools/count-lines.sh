#!/usr/bin/env bash
# Counts the lines of C++ that hold code (blank lines and comments out, `//` and `/* */` alike) in
# src/ and tests/, and prints the share of test code: tests / (src + tests).
#   tools/count-lines.sh [--by-file]   with --by-file, also one line per file, largest first
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
exec python3 - "$@" <<'PY'
import pathlib, re, sys

def code_lines(text):
    """Lines with at least one character outside comments; strings and raw strings are code."""
    count, i, n, state, has_code = 0, 0, len(text), "code", False
    raw_end = ""
    while i < n:
        c = text[i]
        if c == "\n":
            count += has_code
            has_code = False
            if state == "line":
                state = "code"
            i += 1
            continue
        if state == "code":
            if text.startswith("//", i):
                state = "line"; i += 2; continue
            if text.startswith("/*", i):
                state = "block"; i += 2; continue
            m = re.match(r'(?:u8|[uUL])?R"([^()\\ \n]{0,16})\(', text[i:i + 24])
            if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
                state, raw_end = "raw", ")" + m.group(1) + '"'
                has_code = True; i += m.end(); continue
            if c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
                state = "str" if c == '"' else "chr"
            if not c.isspace():
                has_code = True
            i += 1
        elif state == "line":
            i += 1
        elif state == "block":
            if text.startswith("*/", i):
                state = "code"; i += 2
            else:
                i += 1
        elif state == "raw":
            has_code = True
            if text.startswith(raw_end, i):
                state = "code"; i += len(raw_end)
            else:
                i += 1
        else:  # inside a "string" or a 'c'haracter literal
            has_code = True
            if c == "\\":
                i += 2; continue
            if (state == "str" and c == '"') or (state == "chr" and c == "'"):
                state = "code"
            i += 1
    return count + has_code

def tally(folder):
    files = sorted(p for p in pathlib.Path(folder).rglob("*") if p.suffix in (".cpp", ".h") and p.is_file())
    return {str(p): code_lines(p.read_text(encoding="utf-8", errors="replace")) for p in files}

src, tests = tally("src"), tally("tests")
s, t = sum(src.values()), sum(tests.values())
if "--by-file" in sys.argv:
    for path, lines in sorted({**src, **tests}.items(), key=lambda kv: -kv[1]):
        print(f"{lines:6d}  {path}")
print(f"src {s}  tests {t}  tests/(src+tests) {t / (s + t):.3f}")
PY
