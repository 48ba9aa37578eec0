#!/usr/bin/env bash
# Checks corvane's whole-word totals against ripgrep's on the four English source texts:
# for each word, `corvane concord --count --allow "" WORD DIR` must equal the number of
# matches of
#     rg -P --count-matches -i '(?<![\pL\pN])WORD(?![\pL\pN])' DIR
# summed over the files, once the differences that follow from corvane's own definition
# of a word character are accounted for (peer_common.sh defines both):
#   - Alphabetic characters that are not letters (combining vowel signs, circled letters)
#     are word characters for corvane only;
#   - characters outside the BMP are never word characters for corvane;
#   - case-insensitive search compares with the word's ASCII case forms only (no Kelvin
#     sign for k, no long s for s).
# Prints one row per word and exits 1 when a difference is left that none of these
# explains (with --strict, on any difference at all).
#
# Usage: bench/peer/concord_totals_vs_rg.sh [--strict] [WORD...]
#        bench/peer/concord_totals_vs_rg.sh --show WORD   the hits only one tool finds,
#                                                         per file, line and context
# Environment: CORVANE, CORVANE_CORPUS, PEER_TEXTS (see peer_common.sh).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

STRICT=0
SHOW=""
while [ $# -gt 0 ]; do
  case $1 in
    --strict) STRICT=1 ;;
    --show)
      [ $# -ge 2 ] || peer_die "--show needs a word"
      SHOW=$2
      shift
      ;;
    -h | --help)
      sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    -*) peer_die "unknown option $1" ;;
    *) break ;;
  esac
  shift
done
[ $# -gt 0 ] || set -- the of and a i light colour god kernel melancholy which prism driver lord said

peer_ensure_command rg ripgrep || peer_die "ripgrep is missing and could not be installed"
peer_prepare_texts
peer_corvane

if [ -n "$SHOW" ]; then
  peer_plain_word "$SHOW" || peer_die "words are ASCII letters and digits: $SHOW"
  for f in $SOURCE_TEXTS; do
    python3 "$(dirname "$0")/hit_diff.py" "$CORVANE" "$SHOW" "$(bounded "$SHOW" "$P_LN")" \
      "$TEXTS/$f" -i
  done
  exit 0
fi

for word in "$@"; do
  peer_plain_word "$word" || peer_die "words are ASCII letters and digits: $word"
done

# Each step moves the rg pattern one change nearer corvane's definition; its note names
# the change when the total moves.
step_notes=(
  "Alphabetic non-letters next to the word"
  "letters or digits outside the BMP next to the word"
  "non-ASCII case variants (Kelvin sign, long s)"
)
status=0
printf '%-11s %9s %9s %6s  %s\n' word corvane rg diff "accounted for"
for word in "$@"; do
  ours=$(corvane_total --allow "" "$word" "$TEXTS")
  theirs=$(rg_total -P -i -e "$(bounded "$word" "$P_LN")" "$TEXTS")
  steps=(
    "-i	$(bounded "$word" "$P_ALNUM")"
    "-i	$(bounded "$word" "$P_CV")"
    "-s	$(bounded "$(ascii_case_pattern "$word")" "$P_CV")"
  )
  notes=""
  prev=$theirs
  if [ "$ours" != "$theirs" ]; then
    for i in "${!steps[@]}"; do
      next=$(rg_total -P "${steps[i]%%	*}" -e "${steps[i]#*	}" "$TEXTS")
      [ "$next" != "$prev" ] && notes="$notes$(printf '%+d %s; ' "$((next - prev))" "${step_notes[i]}")"
      prev=$next
    done
  fi
  verdict=ok
  if [ "$ours" != "$prev" ]; then
    verdict="DIFFERS by $((ours - prev)) unexplained (see --show $word)"
    status=1
  elif [ "$ours" != "$theirs" ]; then
    verdict="ok: ${notes%; }"
    [ "$STRICT" = 1 ] && status=1
  fi
  printf '%-11s %9s %9s %+6d  %s\n' "$word" "$ours" "$theirs" "$((ours - theirs))" "$verdict"
done
exit "$status"
