#!/usr/bin/env bash
# Times the gathering of a large tree of small files, warm: `corvane files --no-verdict
# --mask "*.txt" DIR` (path, size, date-time and attributes of each text, from the folder
# search every command gathers through) against `find DIR -name '*.txt' -printf` of the
# same fields and `fdfind -e txt` (names only, several threads). Prints the median times,
# the ratios ours / find and ours / fd, and checks that all three list the same number of
# texts.
#
# Usage: bench/peer/walk_vs_find.sh
# Environment: CORVANE (see peer_common.sh); RUNS (default 7); WALK_TREE (default
# /tmp/corvane-walk-tree): 2,000 folders (20 of 100) of 100 files each, 80 .txt and 20
# .xml, a few bytes each, made once and kept.
set -eu
# shellcheck source=bench/peer/peer_common.sh
. "$(dirname "$0")/peer_common.sh"

RUNS=${RUNS:-7}
TREE=${WALK_TREE:-/tmp/corvane-walk-tree}
peer_ensure_command fdfind fd-find || peer_die "fdfind is missing and could not be installed"
peer_corvane

if [ ! -f "$TREE/.complete" ]; then
  peer_note "making $TREE (200,000 files in 2,000 folders) ..."
  rm -rf "$TREE"
  python3 - "$TREE" <<'PY'
import os, sys
root = sys.argv[1]
for top in range(20):
    for sub in range(100):
        d = os.path.join(root, "t%02d" % top, "s%03d" % sub)
        os.makedirs(d)
        for f in range(100):
            ext = "txt" if f < 80 else "xml"
            with open(os.path.join(d, "f%03d.%s" % (f, ext)), "w") as out:
                out.write("text %d %d %d\n" % (top, sub, f))
PY
  touch "$TREE/.complete"
fi

ours() { "$CORVANE" files --no-verdict --no-progress --mask "*.txt" "$TREE"; }
peer_find() { find "$TREE" -name '*.txt' -printf '%p\t%s\t%TY-%Tm-%Td %TT\n'; }
peer_fd() { fdfind -e txt . "$TREE"; }

n_ours=$(ours | wc -l)
n_find=$(peer_find | wc -l)
n_fd=$(peer_fd | wc -l)
[ "$n_ours" = "$n_find" ] && [ "$n_ours" = "$n_fd" ] ||
  peer_die "the listings differ: corvane $n_ours, find $n_find, fd $n_fd"

read -r ours_cpu ours_wall <<<"$(median_run ours)"
read -r find_cpu find_wall <<<"$(median_run peer_find)"
read -r fd_cpu fd_wall <<<"$(median_run peer_fd)"
printf 'tree             %s (%s texts listed by each)\n' "$TREE" "$n_ours"
printf 'corvane files    cpu %6.3f s   wall %6.3f s\n' "$ours_cpu" "$ours_wall"
printf 'find -printf     cpu %6.3f s   wall %6.3f s\n' "$find_cpu" "$find_wall"
printf 'fdfind -e txt    cpu %6.3f s   wall %6.3f s\n' "$fd_cpu" "$fd_wall"
printf 'ratio ours/find  cpu %6.2f     wall %6.2f   (aim: wall at most 1.5)\n' \
  "$(echo "$ours_cpu / $find_cpu" | bc -l)" "$(echo "$ours_wall / $find_wall" | bc -l)"
printf 'ratio ours/fd    cpu %6.2f     wall %6.2f\n' \
  "$(echo "$ours_cpu / $fd_cpu" | bc -l)" "$(echo "$ours_wall / $fd_wall" | bc -l)"
