#!/usr/bin/env bash
# `corvane concord --count WORD DIR` with DIR holding the four English source texts as
# files, and again with DIR holding them as one zip archive (searched in memory, never
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
peer_prepare_texts
peer_corvane
ZIPPED=${TEXTS}-zipped
if [ ! -s "$ZIPPED/en_corpus.zip" ]; then
  peer_ensure_command zip zip || peer_die "zip is missing and could not be installed"
  mkdir -p "$ZIPPED"
  # shellcheck disable=SC2086
  (cd "$TEXTS" && zip -q -X "$ZIPPED/en_corpus.zip.part" $SOURCE_TEXTS) &&
    mv "$ZIPPED/en_corpus.zip.part" "$ZIPPED/en_corpus.zip"
fi

status=0
printf '%-12s %12s %12s %10s %10s %8s\n' word unpacked zipped "t files" "t zip" ratio
for word in "$@"; do
  a=$(corvane_total --no-progress "$word" "$TEXTS")
  b=$(corvane_total --no-progress "$word" "$ZIPPED")
  read -r _ wa <<<"$(median_run "$CORVANE" concord --count --no-progress "$word" "$TEXTS")"
  read -r _ wb <<<"$(median_run "$CORVANE" concord --count --no-progress "$word" "$ZIPPED")"
  printf '%-12s %12s %12s %9.3fs %9.3fs %8.2f\n' "$word" "$a" "$b" "$wa" "$wb" \
    "$(echo "$wb / $wa" | bc -l)"
  [ "$a" = "$b" ] || status=1
done
exit $status
