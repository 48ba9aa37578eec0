#!/usr/bin/env bash
# Reads the bundled samples, and texts made from them with iconv in other encodings,
# with `corvane detect --charset` and with `uchardet`, and prints per encoding how many
# texts each reads right, how many `corvane cat` outputs equal iconv's from the true
# encoding, and whether `corvane concord --count '?*'` gives every encoding of a text the
# same total.
#
# A guess is right when decoding the file with it gives the text decoding with the true
# encoding gives (so ISO-8859-1 for a windows-1252 text without bytes 80..9F is right; a
# leading U+FEFF is ignored). The texts made: the English, French, German, Russian, Greek,
# Hebrew, Arabic and Turkish samples as UTF-16LE and UTF-16BE without a byte-order mark and
# in each language's 8-bit code pages (windows-125x, ISO-8859-x, KOI8-R, IBM866); where a
# code page lacks a character (a dash, a guillemet), iconv transliterates it, and the true
# text is the file's own.
#
# Usage: bench/peer/encodings_vs_uchardet.sh
# Environment: CORVANE (see peer_common.sh); KEEP=1 keeps the texts in $WORK.
# Exits 1 when corvane reads fewer texts right than uchardet, when a UTF-16 text without a
# mark is read wrong, or when the totals of a text differ between its encodings.
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

peer_ensure_command uchardet uchardet || peer_die "uchardet is missing and could not be installed"
peer_ensure_command iconv libc-bin || peer_die "iconv is missing"
peer_corvane
SAMPLES="$REPO/samples/corpus"
WORK=$(mktemp -d /tmp/corvane-encodings.XXXXXX)
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/made" "$WORK/utf8"

# The source texts as UTF-8 (name, file, its encoding in the samples), and each
# language's 8-bit code pages.
SOURCES="english:harbour.txt:UTF-8 french:marche.txt:WINDOWS-1252 german:brief.txt:UTF-16
  russian:zima.txt:UTF-8 greek:thalassa.txt:UTF-8 hebrew:yam.txt:UTF-8
  arabic:souq.txt:UTF-16 turkish:deniz.txt:UTF-8"
pages() {
  case $1 in
    english) echo "WINDOWS-1252 ISO-8859-1" ;;
    french | german) echo "WINDOWS-1252 ISO-8859-1 ISO-8859-15" ;;
    russian) echo "WINDOWS-1251 ISO-8859-5 KOI8-R IBM866" ;;
    greek) echo "WINDOWS-1253 ISO-8859-7" ;;
    hebrew) echo "WINDOWS-1255 ISO-8859-8" ;;
    arabic) echo "WINDOWS-1256 ISO-8859-6" ;;
    turkish) echo "WINDOWS-1254 ISO-8859-9" ;;
  esac
}

# Every text to judge, as "file<TAB>true encoding<TAB>text name".
LIST="$WORK/list"
: >"$LIST"
for f in "$SAMPLES"/*.txt; do
  b=$(basename "$f")
  case $b in
    kjv_ruth.txt | brief.txt | souq.txt) enc=UTF-16 ;;
    marche.txt) enc=WINDOWS-1252 ;;
    *) enc=UTF-8 ;;
  esac
  printf '%s\t%s\t%s\n' "$f" "$enc" "sample" >>"$LIST"
done
for s in $SOURCES; do
  IFS=: read -r lang file enc <<<"$s"
  iconv -f "$enc" -t UTF-8 "$SAMPLES/$file" | sed '1s/^\xEF\xBB\xBF//' >"$WORK/utf8/$lang.txt"
  for target in UTF-16LE UTF-16BE $(pages "$lang"); do
    out="$WORK/made/$lang.$target.txt"
    iconv -f UTF-8 -t "$target//TRANSLIT" "$WORK/utf8/$lang.txt" >"$out" 2>/dev/null ||
      peer_die "iconv cannot write $lang in $target"
    printf '%s\t%s\t%s\n' "$out" "$target" "$lang" >>"$LIST"
  done
done

# The text of a file decoded with an encoding, as UTF-8 with LF line ends and no leading
# U+FEFF, zero bytes shown as "@" (the shell would drop them); empty when iconv cannot
# decode it.
decoded() {
  iconv -f "$2" -t UTF-8 "$1" 2>/dev/null | sed '1s/^\xEF\xBB\xBF//' | tr -d '\r' | tr '\000' '@' |
    sed '$a\' || true
}

declare -A n_total n_peer n_ours n_cat
bad16=0
printf '%-44s %-13s %-13s %-13s %s\n' "text" "true" "uchardet" "corvane" "cat"
while IFS=$'\t' read -r file enc lang; do
  truth=$(decoded "$file" "$enc")
  peer=$(uchardet "$file" 2>/dev/null || true)
  ours=$("$CORVANE" detect --charset "$file" | awk -F'\t' '{ print $(NF - 1) }')
  peer_ok=0 ours_ok=0 cat_ok=0
  [ -n "$peer" ] && [ "$(decoded "$file" "$peer")" = "$truth" ] && peer_ok=1
  [ -n "$ours" ] && [ "$(decoded "$file" "$ours")" = "$truth" ] && ours_ok=1
  [ "$("$CORVANE" cat "$file" 2>/dev/null | tr -d '\r' | tr '\000' '@' | sed '$a\')" = "$truth" ] &&
    cat_ok=1
  key=$enc
  n_total[$key]=$((${n_total[$key]:-0} + 1))
  n_peer[$key]=$((${n_peer[$key]:-0} + peer_ok))
  n_ours[$key]=$((${n_ours[$key]:-0} + ours_ok))
  n_cat[$key]=$((${n_cat[$key]:-0} + cat_ok))
  case $enc in UTF-16LE | UTF-16BE) [ "$ours_ok$cat_ok" = 11 ] || bad16=$((bad16 + 1)) ;; esac
  mark() { [ "$1" = 1 ] && printf 'ok' || printf 'WRONG'; }
  printf '%-44s %-13s %-13s %-13s %s\n' "$(basename "$file")" "$enc" \
    "${peer:-none} $(mark $peer_ok)" "${ours:-none} $(mark $ours_ok)" "$(mark $cat_ok)"
done <"$LIST"

echo
printf '%-14s %6s %9s %9s %9s\n' "encoding" "texts" "uchardet" "corvane" "cat ok"
sum_t=0 sum_p=0 sum_o=0 sum_c=0
for key in $(printf '%s\n' "${!n_total[@]}" | sort); do
  printf '%-14s %6d %9d %9d %9d\n' "$key" "${n_total[$key]}" "${n_peer[$key]}" \
    "${n_ours[$key]}" "${n_cat[$key]}"
  sum_t=$((sum_t + n_total[$key])) sum_p=$((sum_p + n_peer[$key]))
  sum_o=$((sum_o + n_ours[$key])) sum_c=$((sum_c + n_cat[$key]))
done
printf '%-14s %6d %9d %9d %9d\n' "all" "$sum_t" "$sum_p" "$sum_o" "$sum_c"

# Every encoding of a text gives the words of its own UTF-8 form (the transliterated text
# where iconv had to transliterate).
echo
unequal=0
for s in $SOURCES; do
  IFS=: read -r lang _ _ <<<"$s"
  totals=""
  for f in "$WORK/made/$lang".*.txt; do
    enc=${f#"$WORK/made/$lang."}
    enc=${enc%.txt}
    ref="$WORK/utf8/$lang.$enc.txt"
    decoded "$f" "$enc" >"$ref"
    want=$(corvane_total '?*' "$ref")
    got=$(corvane_total '?*' "$f")
    totals="$totals $enc=$got"
    if [ "$got" != "$want" ]; then
      unequal=$((unequal + 1))
      totals="$totals(want $want)"
    fi
  done
  printf 'concord --count totals %-8s%s\n' "$lang" "$totals"
done

status=0
if [ "$sum_o" -lt "$sum_p" ]; then
  echo "corvane reads fewer texts right than uchardet ($sum_o < $sum_p)"
  status=1
fi
[ "$bad16" = 0 ] || { echo "$bad16 UTF-16 texts without a mark read wrong"; status=1; }
[ "$unequal" = 0 ] || { echo "$unequal texts with totals that differ from their UTF-8 form"; status=1; }
exit $status
