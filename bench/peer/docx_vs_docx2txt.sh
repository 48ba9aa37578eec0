#!/usr/bin/env bash
# Times `corvane cat` of a large word-processor document against `docx2txt` (Debian's Perl
# converter, which pipes the body part out of `unzip` and rewrites it with regular
# expressions) on the same document, both writing to /dev/null, and prints the median times
# and their ratio (ours / docx2txt). corvane keeps entities as written and ends each
# paragraph with CR LF; docx2txt decodes entities and lays paragraphs out for reading.
#
# Usage: bench/peer/docx_vs_docx2txt.sh
# Environment: CORVANE, CORVANE_CORPUS (see peer_common.sh); RUNS (default 5).
# The document is $CORVANE_CORPUS/en_all.docx: en_all.txt, one paragraph per line, written
# here with python3 when missing (bench/docx_text.cpp writes the same document).
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-5}
peer_ensure_command docx2txt docx2txt || peer_die "docx2txt is missing and could not be installed"
peer_ensure_command unzip unzip || peer_die "unzip is missing and could not be installed"
peer_prepare_texts
peer_corvane
DOC="$CORPUS/en_all.docx"
if [ ! -s "$DOC" ]; then
  [ -s "$CORPUS/en_all.txt" ] || peer_die "$CORPUS/en_all.txt is missing (run scripts/make-bench-corpus)"
  peer_note "writing $DOC ..."
  python3 - "$CORPUS/en_all.txt" "$DOC.part" <<'PY'
import sys, zipfile
head = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'
        '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" '
        'xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"><w:body>')
tail = '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>'
text = open(sys.argv[1], 'rb').read()
lines = text.split(b'\n')
if lines and lines[-1] == b'':
    lines.pop()
parts = [head.encode()]
for line in lines:
    if line.endswith(b'\r'):
        line = line[:-1]
    line = line.replace(b'&', b'&amp;').replace(b'<', b'&lt;').replace(b'>', b'&gt;')
    parts.append(b'<w:p w:rsidR="00A1B2C3" w:rsidRDefault="00A1B2C3"><w:r>'
                 b'<w:t xml:space="preserve">' + line + b'</w:t></w:r></w:p>')
parts.append(tail.encode())
with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('word/document.xml', b''.join(parts))
PY
  mv "$DOC.part" "$DOC"
fi

ours_lines=$("$CORVANE" cat "$DOC" | wc -l) || peer_die "corvane cat failed"
peer_lines=$(docx2txt "$DOC" - | wc -l) || peer_die "docx2txt failed"
read -r ours_cpu ours_wall <<<"$(median_run "$CORVANE" cat "$DOC")"
read -r peer_cpu peer_wall <<<"$(median_run docx2txt "$DOC" -)"
size=$(unzip -l "$DOC" | tail -1 | awk '{print $1}')
printf 'document            %s (%s bytes of body part)\n' "$DOC" "$size"
printf 'corvane cat         cpu %6.3f s   wall %6.3f s   %s lines\n' "$ours_cpu" "$ours_wall" "$ours_lines"
printf 'docx2txt            cpu %6.3f s   wall %6.3f s   %s lines\n' "$peer_cpu" "$peer_wall" "$peer_lines"
printf 'ratio ours/docx2txt cpu %6.2f     wall %6.2f\n' "$(echo "$ours_cpu / $peer_cpu" | bc -l)" \
  "$(echo "$ours_wall / $peer_wall" | bc -l)"
