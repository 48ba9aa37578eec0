#!/usr/bin/env python3
"""Lists the hits that only one of corvane and ripgrep finds in a UTF-8 text file.

Usage: hit_diff.py CORVANE WORD PATTERN FILE [RG_OPTION...]

corvane's hits come from `concord --tsv --allow ""` (offsets in UTF-16 code units of the
text as corvane loads it: every line break becomes CR LF); ripgrep's from
`rg -P --byte-offset -o PATTERN` (byte offsets). The corvane offsets are mapped back to
bytes, and each hit found by one tool only is printed with its line number and context.
"""
import signal
import subprocess
import sys


def utf16_to_byte_offsets(data: bytes) -> list:
    """Byte offset of every UTF-16 code unit of the loaded text, plus the end."""
    text = data.decode("utf-8", errors="surrogateescape")
    offsets = []
    byte = 0
    prev = ""
    for ch in text:
        size = len(ch.encode("utf-8", errors="surrogateescape"))
        if ch == "\n" and prev == "\r":
            units = 0  # CR LF stays CR LF: the CR already stood for both
        elif ch in "\r\n":
            units = 2  # a lone CR or LF becomes CR LF
        else:
            units = 2 if ord(ch) > 0xFFFF else 1
        offsets.extend([byte] * units)
        byte += size
        prev = ch
    offsets.append(byte)
    return offsets


def main() -> int:
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    if len(sys.argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    corvane, word, pattern, path = sys.argv[1:5]
    rg_options = sys.argv[5:]
    data = open(path, "rb").read()
    u2b = utf16_to_byte_offsets(data)
    tsv = subprocess.run([corvane, "concord", "--tsv", "--allow", "", word, path],
                         capture_output=True, text=True, errors="replace").stdout
    ours = {u2b[min(int(r.split("\t")[2]), len(u2b) - 1)] for r in tsv.splitlines() if r}
    out = subprocess.run(["rg", "-P", "--no-filename", "--byte-offset", "-o", *rg_options,
                          "-e", pattern, path], capture_output=True, text=True).stdout
    theirs = {int(r.split(":", 1)[0]) for r in out.splitlines() if r}
    for label, offsets in (("corvane only", ours - theirs), ("rg only", theirs - ours)):
        for off in sorted(offsets):
            line = data.count(b"\n", 0, off) + 1
            start = data.rfind(b"\n", 0, off) + 1
            end = data.find(b"\n", off)
            end = len(data) if end < 0 else end
            before = data[max(start, off - 30):off].decode("utf-8", "replace")
            after = data[off:min(end, off + 30)].decode("utf-8", "replace")
            print(f"  {label:12} {path}:{line} byte {off}: {before!r} | {after!r}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
