#!/usr/bin/env bash
# Times `corvane wordlist` on the 29 MB English text (en_all.txt of the English corpus)
# against the shell's frequency list, `LC_ALL=C tr -cs '[:alpha:]' '\n' | sort | uniq -c`,
# and a Python collections.Counter over re.findall(r'[^\W_]+'). Prints each one's token
# total, entries and median times (CPU and wall), and the ratios (peer / corvane).
#
# Why the totals differ:
#   tr [:alpha:]  ASCII letters only, bytes in the C locale: digits part words and are
#                 dropped, every byte of a UTF-8 letter such as é parts words; case kept
#                 (The and the are two entries).
#   Counter       Python's \w without "_": Unicode letters, digits and the other numbers
#                 (superscripts, fractions), and the combining marks; case kept.
#   corvane       letters and decimal digits of any script (a surrogate pair as one
#                 character); case ignored as the string list compares (The and the are
#                 one entry, spelt as first met), so it has the fewest entries.
#
# Usage: bench/peer/wordlist_vs_uniq.sh
# Environment: CORVANE, CORVANE_CORPUS (see peer_common.sh); RUNS (timed runs per
#   command, default 3).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-3}
peer_prepare_texts
peer_corvane
TEXT="$CORPUS/en_all.txt"
[ -s "$TEXT" ] || peer_die "$TEXT is missing"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cat >"$WORK/corvane.sh" <<SH
#!/bin/sh
exec "$CORVANE" wordlist --no-progress "$TEXT"
SH
cat >"$WORK/uniq.sh" <<SH
#!/bin/sh
LC_ALL=C tr -cs '[:alpha:]' '\n' <"$TEXT" | LC_ALL=C sort | LC_ALL=C uniq -c
SH
cat >"$WORK/counter.py" <<'PY'
import collections, re, sys
text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
counts = collections.Counter(re.findall(r"[^\W_]+", text))
out = sys.stdout
for word, n in counts.items():
    out.write(f"{word}\t{n}\n")
PY
cat >"$WORK/counter.sh" <<SH
#!/bin/sh
exec python3 "$WORK/counter.py" "$TEXT"
SH
chmod +x "$WORK"/*.sh

"$WORK/corvane.sh" >"$WORK/corvane.out"
"$WORK/uniq.sh" >"$WORK/uniq.out"
"$WORK/counter.sh" >"$WORK/counter.out"
tabbed_totals() { awk -F'\t' '{ s += $NF; n++ } END { printf "%d %d\n", s, n }' "$1"; }
read -r cv_tokens cv_entries <<<"$(tabbed_totals "$WORK/corvane.out")"
# uniq -c counts the empty line tr leaves when the text starts with a non-letter.
read -r un_tokens un_entries <<<"$(awk 'NF == 2 { s += $1; n++ } END { printf "%d %d\n", s, n }' "$WORK/uniq.out")"
read -r py_tokens py_entries <<<"$(tabbed_totals "$WORK/counter.out")"

read -r cv_cpu cv_wall <<<"$(median_run "$WORK/corvane.sh")"
read -r un_cpu un_wall <<<"$(median_run "$WORK/uniq.sh")"
read -r py_cpu py_wall <<<"$(median_run "$WORK/counter.sh")"

printf 'text: %s (%s bytes); load average: %s\n' "$TEXT" "$(wc -c <"$TEXT")" "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-22s %10s %9s %9s %9s\n' "" tokens entries "cpu s" "wall s"
printf '%-22s %10d %9d %9.3f %9.3f\n' "corvane wordlist" "$cv_tokens" "$cv_entries" "$cv_cpu" "$cv_wall"
printf '%-22s %10d %9d %9.3f %9.3f\n' "tr|sort|uniq -c" "$un_tokens" "$un_entries" "$un_cpu" "$un_wall"
printf '%-22s %10d %9d %9.3f %9.3f\n' "python Counter" "$py_tokens" "$py_entries" "$py_cpu" "$py_wall"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf 'wall ratio (peer / corvane): tr|sort|uniq %s, Counter %s; cpu ratio: %s, %s\n' \
  "$(ratio "$un_wall" "$cv_wall")" "$(ratio "$py_wall" "$cv_wall")" \
  "$(ratio "$un_cpu" "$cv_cpu")" "$(ratio "$py_cpu" "$cv_cpu")"
faster=$un_wall
awk -v a="$py_wall" -v b="$un_wall" 'BEGIN { exit !(a < b) }' && faster=$py_wall
printf 'against the faster peer: %sx (aim: 3x)\n' "$(ratio "$faster" "$cv_wall")"
