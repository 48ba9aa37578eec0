#!/usr/bin/env bash
# Times `corvane zip cat` of every entry of the zipped English corpus against `unzip -p`
# of the same archive, both writing to /dev/null, and prints the median times and their
# ratio (ours / unzip). corvane does more: it decodes each text into UTF-16 as the tools
# load text files, then writes it back as UTF-8 with CR LF line ends; unzip copies bytes.
#
# Usage: bench/peer/zip_vs_unzip.sh
# Environment: CORVANE, CORVANE_CORPUS (see peer_common.sh); RUNS (default 7).
# The archive is $CORVANE_CORPUS/en_corpus.zip: the four source texts, made with zip
# when missing (bench/zip_extract.cpp makes the same archive with libzip).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-7}
peer_ensure_command unzip unzip || peer_die "unzip is missing and could not be installed"
peer_prepare_texts
peer_corvane
ARCHIVE="$CORPUS/en_corpus.zip"
if [ ! -s "$ARCHIVE" ]; then
  peer_ensure_command zip zip || peer_die "zip is missing and could not be installed"
  (cd "$TEXTS" && zip -q -X "$ARCHIVE.part" $SOURCE_TEXTS) && mv "$ARCHIVE.part" "$ARCHIVE"
fi

"$CORVANE" zip cat "$ARCHIVE" >/dev/null || peer_die "corvane zip cat failed"
unzip -p "$ARCHIVE" >/dev/null || peer_die "unzip -p failed"
read -r ours_cpu ours_wall <<<"$(median_run "$CORVANE" zip cat "$ARCHIVE")"
read -r peer_cpu peer_wall <<<"$(median_run unzip -p "$ARCHIVE")"
size=$(unzip -l "$ARCHIVE" | tail -1 | awk '{print $1}')
printf 'archive          %s (%s bytes uncompressed)\n' "$ARCHIVE" "$size"
printf 'corvane zip cat  cpu %6.3f s   wall %6.3f s\n' "$ours_cpu" "$ours_wall"
printf 'unzip -p         cpu %6.3f s   wall %6.3f s\n' "$peer_cpu" "$peer_wall"
printf 'ratio ours/unzip cpu %6.2f     wall %6.2f\n' "$(echo "$ours_cpu / $peer_cpu" | bc -l)" \
  "$(echo "$ours_wall / $peer_wall" | bc -l)"
