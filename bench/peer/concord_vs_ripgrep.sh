#!/usr/bin/env bash
# Times `corvane concord --count WORD DIR` against `rg --count-matches -w -i WORD DIR` on
# the four English source texts, one block per word: both totals, the median wall times
# and their ratio (ours / rg), and where the totals differ, how much of the difference
# each known cause explains.
#
# Then a table, side by side, on the four texts and on the 64 MiB file, for a rare and a
# frequent word: the concordance lines (`corvane concord WORD`) and the records
# (`--tsv`) against `rg -w -i WORD` (which prints only the matching lines, less work than a
# concordance), `--count` against `rg --count-matches -w -i`; median wall times, their
# ratio with the aim it should meet, and each command's peak memory (/usr/bin/time %M).
# Last, corvane's peak memory on a file four times the 64 MiB one, which should stay flat.
#
# Usage: bench/peer/concord_vs_ripgrep.sh [WORD...]      (default: melancholy the)
# Environment: CORVANE, CORVANE_CORPUS, PEER_TEXTS (see peer_common.sh);
#   RUNS (timed runs per command, default 10), WARMUP (default 3),
#   CORVANE_ARGS (extra options for corvane concord, e.g. "--threads 1"),
#   TIMER=time (time with /usr/bin/time even when hyperfine is there),
#   TABLE_WORDS (the table's rare and frequent word, default "kernel the"; empty: no table),
#   FLAT=0 (skip the four-times file).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-10}
WARMUP=${WARMUP:-3}
CORVANE_ARGS=${CORVANE_ARGS:-}
[ $# -gt 0 ] || set -- melancholy the

peer_ensure_command rg ripgrep || peer_die "ripgrep is missing and could not be installed"
HAVE_HYPERFINE=1
if [ "${TIMER:-}" = time ]; then
  HAVE_HYPERFINE=0
elif ! peer_ensure_command hyperfine hyperfine; then
  HAVE_HYPERFINE=0
  peer_note "hyperfine is missing: timing with /usr/bin/time instead"
fi
peer_prepare_texts
peer_corvane

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Median wall time in seconds of each of two commands (given as strings without shell
# syntax), printed as "OURS RG".
median_times() {
  if [ "$HAVE_HYPERFINE" = 1 ]; then
    hyperfine -N --style none --warmup "$WARMUP" --runs "$RUNS" -i \
      --export-csv "$WORK/times.csv" "$1" "$2" >/dev/null 2>&1
    awk -F, 'NR > 1 { printf "%s%s", (NR > 2 ? " " : ""), $4 } END { print "" }' "$WORK/times.csv"
    return
  fi
  local c out=""
  for c in "$1" "$2"; do
    local i
    : >"$WORK/times"
    for ((i = 0; i < WARMUP; ++i)); do eval "$c" >/dev/null 2>&1 || true; done
    for ((i = 0; i < RUNS; ++i)); do
      if [ -x /usr/bin/time ]; then
        eval "/usr/bin/time -f %e -a -o \"\$WORK/times\" $c" >/dev/null 2>&1 || true
      else
        local t0 t1
        t0=$(date +%s%N)
        eval "$c" >/dev/null 2>&1 || true
        t1=$(date +%s%N)
        awk -v d=$((t1 - t0)) 'BEGIN { printf "%.3f\n", d / 1e9 }' >>"$WORK/times"
      fi
    done
    out="$out $(grep -E '^[0-9.]+$' "$WORK/times" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }')"
  done
  echo "${out# }"
}

# Walks from rg -w's definition of a whole word to corvane's, one change at a time, and
# prints each change that alters the rg total with its cause; what no known cause explains
# comes last.
explain_difference() {
  local word=$1 ours=$2 theirs=$3 ci cs prev next i
  ci=$word
  cs=$(ascii_case_pattern "$word")
  # The patterns of the steps, their case option, and the cause each step removes.
  local -a pattern case why
  pattern[0]=$(bounded "$ci" "$P_RG_W")
  why[0]="rg -w differs from its own definition as emulated here"
  pattern[1]=$(bounded "$ci" '[\p{Alphabetic}\pM\p{Nd}\x{200C}\x{200D}]')
  why[1]="underscore and other connector punctuation: a word character for rg -w (the_x, _the_), not for corvane"
  pattern[2]=$(bounded "$ci" '[\p{Alphabetic}\pM\p{Nd}]')
  why[2]="zero-width joiner and non-joiner: word characters for rg -w only"
  pattern[3]=$(bounded "$ci" '[\p{Alphabetic}\p{Nd}]')
  why[3]="combining marks that are not Alphabetic (U+0300-U+036F ...): word characters for rg -w; corvane ends the word before them"
  pattern[4]=$(bounded "$ci" "$P_ALNUM")
  why[4]="other numbers (No: superscripts, fractions, circled digits): word characters for corvane only (I²C is one word)"
  pattern[5]=$(bounded "$ci" "$P_CV")
  why[5]="letters and digits outside the BMP: corvane classes UTF-16 code units, and a surrogate is no word character"
  pattern[6]=$(bounded "$cs" "$P_CV")
  why[6]="case folding: rg -i also matches the Kelvin sign for k and long s for s; corvane only the word's ASCII case forms"
  pattern[7]=$(bounded "$cs" "$P_CV" "'-")
  why[7]="word-internal apostrophe and hyphen: rg -w counts \"$word\" inside \"$word-x\", \"x-$word\" and \"x'$word\", corvane (default --allow) does not"
  case=(-i -i -i -i -i -i -s -s)
  prev=$theirs
  for i in "${!pattern[@]}"; do
    next=$(rg_total -P "${case[i]}" -e "${pattern[i]}" "$TEXTS")
    [ "$next" != "$prev" ] && printf '    %+d  %s\n' "$((next - prev))" "${why[i]}"
    prev=$next
  done
  if [ "$ours" != "$prev" ]; then
    printf '    %+d  not explained by the causes above: see concord_totals_vs_rg.sh --show\n' \
      "$((ours - prev))"
  else
    echo "    (all of it explained)"
  fi
  return 0
}

echo "texts: $TEXTS ($(du -sh --apparent-size -L "$TEXTS" | cut -f1), $(find "$TEXTS" -maxdepth 1 -type f | wc -l) files);" \
  "corvane: $CORVANE; $(rg --version | sed -n 1p); $RUNS runs after $WARMUP warm-up, medians"
for word in "$@"; do
  # shellcheck disable=SC2086
  ours=$(corvane_total $CORVANE_ARGS "$word" "$TEXTS")
  theirs=$(rg_total -w -i -e "$word" "$TEXTS")
  # shellcheck disable=SC2086
  printf -v q_word '%q' "$word"
  printf -v q_texts '%q' "$TEXTS"
  printf -v q_corvane '%q' "$CORVANE"
  read -r t_ours t_rg < <(median_times "$q_corvane concord --count $CORVANE_ARGS $q_word $q_texts" \
    "rg --count-matches -w -i -e $q_word $q_texts")
  [ -n "${t_rg:-}" ] || peer_die "timing failed for $word"
  echo
  echo "== $word"
  printf '  %-24s %10s hits  %8.3f s\n' "corvane concord --count" "$ours" "$t_ours"
  printf '  %-24s %10s hits  %8.3f s\n' "rg --count-matches -w" "$theirs" "$t_rg"
  awk -v a="$t_ours" -v b="$t_rg" 'BEGIN { printf "  time ratio ours/rg %.2f\n", (b > 0 ? a / b : 0) }'
  if [ "$ours" != "$theirs" ]; then
    printf '  totals differ by %+d (ours - rg):\n' "$((ours - theirs))"
    if peer_plain_word "$word"; then
      explain_difference "$word" "$ours" "$theirs"
    else
      echo "    (causes are only worked out for words of ASCII letters and digits)"
    fi
  fi
done

# ---- The side-by-side table

TABLE_WORDS=${TABLE_WORDS-kernel the}
[ -n "$TABLE_WORDS" ] || exit 0
BIG=$CORPUS/en_64mib.txt
[ -s "$BIG" ] || peer_die "$BIG is missing: run scripts/make-bench-corpus"

# Peak resident memory of one run, in MB.
peak_mb() {
  /usr/bin/time -f %M -o "$WORK/mem" "$@" >/dev/null 2>&1 || true
  awk '{ printf "%.0f", $1 / 1024 }' "$WORK/mem"
}

# One row: what is compared, the two commands (as strings without shell syntax), the aim for
# the time ratio ("<= 1.5"), and whether the memory aim applies.
row() {
  local what=$1 ours=$2 theirs=$3 aim=$4 t_ours t_rg m_ours m_rg
  read -r t_ours t_rg < <(median_times "$ours" "$theirs")
  # shellcheck disable=SC2086
  m_ours=$(peak_mb $ours)
  # shellcheck disable=SC2086
  m_rg=$(peak_mb $theirs)
  awk -v w="$what" -v a="$t_ours" -v b="$t_rg" -v ma="$m_ours" -v mb="$m_rg" -v aim="$aim" 'BEGIN {
    r = b > 0 ? a / b : 0
    split(aim, x, " ")
    ok = (x[1] == "<=" ? r <= x[2] : r < x[2]) ? "met" : "NOT met"
    printf "| %-34s | %7.3f | %7.3f | %5.2f | %-6s %-7s | %6d | %6d |\n", w, a, b, r, aim, ok, ma, mb
  }'
}

printf -v q_corvane '%q' "$CORVANE"
echo
echo "== side by side ($RUNS runs after $WARMUP warm-up, median wall seconds; peak memory in MB)"
echo
echo "| command (corvane concord ...) | ours s | rg s | ours/rg | aim | ours MB | rg MB |"
echo "|---|---|---|---|---|---|---|"
set -- $TABLE_WORDS
RARE=$1
for target in "$TEXTS" "$BIG"; do
  printf -v q_target '%q' "$target"
  name=$([ "$target" = "$BIG" ] && echo "64 MiB file" || echo "four texts")
  for word in $TABLE_WORDS; do
    printf -v q_word '%q' "$word"
    lines_aim=$([ "$word" = "$RARE" ] && echo "<= 1.0" || echo "<= 1.5")
    # shellcheck disable=SC2086
    row "$word, lines, $name" "$q_corvane concord --no-progress $CORVANE_ARGS $q_word $q_target" \
      "rg -w -i -e $q_word $q_target" "$lines_aim"
    # shellcheck disable=SC2086
    row "$word, --tsv, $name" "$q_corvane concord --no-progress --tsv $CORVANE_ARGS $q_word $q_target" \
      "rg -w -i -e $q_word $q_target" "<= 2.0"
    # shellcheck disable=SC2086
    row "$word, --count, $name" "$q_corvane concord --no-progress --count $CORVANE_ARGS $q_word $q_target" \
      "rg --count-matches -w -i -e $q_word $q_target" "< 1.0"
  done
done

[ "${FLAT:-1}" = 0 ] && exit 0
# The same file four times over: corvane's memory should not grow with it.
cat "$BIG" "$BIG" "$BIG" "$BIG" >"$WORK/en_256mib.txt"
echo
echo "== peak memory, 64 MiB file against four times as large (aim: under 100 MB, within 10%)"
for word in $TABLE_WORDS; do
  for mode in "" --tsv; do
    # shellcheck disable=SC2086
    a=$(peak_mb "$CORVANE" concord --no-progress $mode $CORVANE_ARGS "$word" "$BIG")
    # shellcheck disable=SC2086
    b=$(peak_mb "$CORVANE" concord --no-progress $mode $CORVANE_ARGS "$word" "$WORK/en_256mib.txt")
    awk -v w="$word${mode:+ $mode}" -v a="$a" -v b="$b" 'BEGIN {
      ok = (a < 100 && b < 100 && b <= a * 1.1) ? "met" : "NOT met"
      printf "  %-14s %4d MB  %4d MB  %s\n", w, a, b, ok
    }'
  done
done
