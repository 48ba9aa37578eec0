#!/usr/bin/env bash
# Times `corvane sort` against GNU sort on a million tab-separated lines made from the
# English corpus: word<TAB>count<TAB>per 1,000 words<TAB>a date dd/mm/yyyy drawn per word,
# the word list repeated to LINES lines. For each key it checks that the key columns come
# out in the same order and prints both median wall times and their ratio (ours / GNU).
#
# Usage: bench/peer/sort_vs_gnu.sh
# Environment: CORVANE, CORVANE_CORPUS (see peer_common.sh); LINES (default 1000000);
#   RUNS (timed runs per command, default 5), WARMUP (default 1).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

LINES=${LINES:-1000000}
RUNS=${RUNS:-5}
WARMUP=${WARMUP:-1}
peer_ensure_command hyperfine hyperfine || peer_die "hyperfine is missing and could not be installed"
peer_prepare_texts
peer_corvane

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
LIST="$WORK/list.tsv"

# The word-frequency list: lower-cased ASCII words, their counts, the rate per 1,000 words
# with four decimals (distinct rates stay distinct as IEEE singles) and a date drawn from
# the word's own hash, so that a word keeps its date wherever it repeats.
LC_ALL=C tr -cs 'A-Za-z' '\n' <"$CORPUS/en_all.txt" | LC_ALL=C tr 'A-Z' 'a-z' |
  LC_ALL=C awk 'NF { n[$0]++; total++ }
    END {
      for (w in n) {
        h = 0
        for (i = 1; i <= length(w); ++i) h = (h * 31 + index("abcdefghijklmnopqrstuvwxyz", substr(w, i, 1))) % 1000003
        printf "%s\t%d\t%.4f\t%02d/%02d/%04d\n", w, n[w], n[w] * 1000 / total, h % 28 + 1, h % 12 + 1, 1900 + h % 125
      }
    }' >"$WORK/words.tsv"
words=$(wc -l <"$WORK/words.tsv")
: >"$LIST"
while [ "$(wc -l <"$LIST")" -lt "$LINES" ]; do cat "$WORK/words.tsv" >>"$LIST"; done
head -n "$LINES" "$LIST" >"$WORK/l" && mv "$WORK/l" "$LIST"
peer_note "$words word types, $(wc -l <"$LIST") lines, $(du -h "$LIST" | cut -f1)"

# Median wall times in seconds of two scripts, printed as "OURS GNU".
median_times() {
  hyperfine -N --style none --warmup "$WARMUP" --runs "$RUNS" --export-csv "$WORK/times.csv" \
    "$1" "$2" >/dev/null 2>&1 || peer_die "hyperfine failed on $1 or $2"
  awk -F, 'NR > 1 { printf "%s%s", (NR > 2 ? " " : ""), $4 } END { print "" }' "$WORK/times.csv"
}

status=0
compare_key() {
  local by=$1 column=$2 gnu_keys=$3
  printf '#!/bin/sh\nexec "%s" sort --by %s "%s"\n' "$CORVANE" "$by" "$LIST" >"$WORK/ours.sh"
  printf '#!/bin/sh\nLC_ALL=C exec sort -t "$(printf "\\t")" %s "%s"\n' "$gnu_keys" "$LIST" >"$WORK/gnu.sh"
  chmod +x "$WORK/ours.sh" "$WORK/gnu.sh"
  "$WORK/ours.sh" | cut -f"$column" >"$WORK/ours"
  "$WORK/gnu.sh" | cut -f"$column" >"$WORK/gnu"
  local same=yes
  if [ "$by" = name ]; then
    # Names compare with ASCII case folded: the order is the same up to case among equals.
    LC_ALL=C tr 'a-z' 'A-Z' <"$WORK/ours" >"$WORK/o" && LC_ALL=C tr 'a-z' 'A-Z' <"$WORK/gnu" >"$WORK/g"
    cmp -s "$WORK/o" "$WORK/g" || same=no
  else
    cmp -s "$WORK/ours" "$WORK/gnu" || same=no
  fi
  local ours gnu
  read -r ours gnu <<<"$(median_times "$WORK/ours.sh" "$WORK/gnu.sh")"
  printf '%-8s %-34s same order: %-3s corvane %.3f s  GNU %.3f s  ratio %.2f\n' \
    "$by" "$gnu_keys" "$same" "$ours" "$gnu" "$(awk -v a="$ours" -v b="$gnu" 'BEGIN { print a / b }')"
  [ "$same" = yes ] || status=1
}

compare_key int:2 2 "-k2,2nr"
compare_key float:3 3 "-k3,3gr"
compare_key date:4 4 "-k4.7,4.10n -k4.4,4.5n -k4.1,4.2n"
compare_key name 1 "-k1,1f"
exit $status
