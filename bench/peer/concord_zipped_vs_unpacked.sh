#!/usr/bin/env bash
# `corvane concord --count WORD DIR` with DIR holding the English source texts of the
# corpus (those of the four it holds) as files, and again with DIR holding them as one zip archive (searched in memory, never
# unpacked): the totals must be equal. Prints both totals and median times, and the ratio
# zipped / unpacked; exits 1 when a total differs.
#
# Usage: bench/peer/concord_zipped_vs_unpacked.sh [WORD...]   (default: the melancholy)
# Environment: CORVANE, CORVANE_CORPUS (see peer_common.sh); RUNS (default 7).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-7}
[ $# -gt 0 ] || set -- the melancholy
# The source texts the corpus holds (all four when it is assembled here).
present=""
for f in $SOURCE_TEXTS; do [ -s "$CORPUS/$f" ] && present="$present $f"; done
[ -n "$present" ] || peer_prepare_texts
UNPACKED=${TEXTS}-unpacked
ZIPPED=${TEXTS}-zipped
mkdir -p "$UNPACKED" "$ZIPPED"
for f in ${present:-$SOURCE_TEXTS}; do
  [ "$CORPUS/$f" -ef "$UNPACKED/$f" ] || ln -f "$CORPUS/$f" "$UNPACKED/$f" 2>/dev/null ||
    cp "$CORPUS/$f" "$UNPACKED/$f"
done
peer_corvane
peer_ensure_command zip zip || peer_die "zip is missing and could not be installed"
rm -f "$ZIPPED/en_corpus.zip"
(cd "$UNPACKED" && zip -q -X "$ZIPPED/en_corpus.zip" ./*.txt)
TEXTS=$UNPACKED
printf 'texts: %s (%s bytes); archive: %s (%s bytes)\n' "$(cd "$UNPACKED" && echo ./*.txt)" \
  "$(cat "$UNPACKED"/*.txt | wc -c)" "$ZIPPED/en_corpus.zip" "$(wc -c <"$ZIPPED/en_corpus.zip")"

status=0
printf '%-12s %9s %9s | %-21s | %-21s | %s\n' word unpacked zipped "files: cpu, wall" \
  "zip: cpu, wall" "ratio zip/files: cpu, wall"
for word in "$@"; do
  a=$(corvane_total --no-progress "$word" "$TEXTS")
  b=$(corvane_total --no-progress "$word" "$ZIPPED")
  read -r ca wa <<<"$(median_run "$CORVANE" concord --count --no-progress "$word" "$TEXTS")"
  read -r cb wb <<<"$(median_run "$CORVANE" concord --count --no-progress "$word" "$ZIPPED")"
  printf '%-12s %9s %9s | %8.3fs %8.3fs    | %8.3fs %8.3fs    | %6.2f %6.2f\n' "$word" "$a" "$b" \
    "$ca" "$wa" "$cb" "$wb" "$(echo "$cb / $ca" | bc -l)" "$(echo "$wb / $wa" | bc -l)"
  [ "$a" = "$b" ] || status=1
done
exit $status
