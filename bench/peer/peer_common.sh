# shellcheck shell=bash disable=SC2034
# Shared by the peer-comparison scripts of this folder; sourced, not run.
# Sets REPO, TEXTS and CORVANE and provides the helpers below. Needs bash.
#
# Environment:
#   CORVANE         corvane binary to use (default: build/release of this checkout, built
#                   when missing)
#   CORVANE_CORPUS  where the English corpus is assembled (default /tmp/corvane-corpus)
#   PEER_TEXTS      folder holding the four source texts that are searched
#                   (default /tmp/corvane-peer-texts)

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CORPUS=${CORVANE_CORPUS:-/tmp/corvane-corpus}
TEXTS=${PEER_TEXTS:-/tmp/corvane-peer-texts}
SOURCE_TEXTS="linux-doc.txt kjv_bible.txt fortunes.txt newton_opticks.txt"

peer_note() { printf '%s\n' "$*" >&2; }
peer_die() {
  printf '%s: %s\n' "$(basename "$0")" "$*" >&2
  exit 2
}

# The corpus maker sits in shared/ beside the main checkout; a worktree elsewhere finds the
# main checkout through git's common directory.
peer_corpus_maker() {
  local m="$REPO/../shared/corpus/make-english-corpus" common
  if [ ! -x "$m" ] && common=$(git -C "$REPO" rev-parse --path-format=absolute --git-common-dir 2>/dev/null); then
    m="$(dirname "$common")/../shared/corpus/make-english-corpus"
  fi
  [ -x "$m" ] || peer_die "cannot find ../shared/corpus/make-english-corpus beside the repository"
  printf '%s\n' "$m"
}

# Assembles the corpus when needed and links (or copies) the four source texts into $TEXTS,
# so that the concatenated en_all.txt and en_64mib.txt are not searched twice.
peer_prepare_texts() {
  local f missing=0
  for f in $SOURCE_TEXTS; do [ -s "$CORPUS/$f" ] || missing=1; done
  if [ "$missing" = 1 ]; then
    peer_note "assembling the English corpus in $CORPUS ..."
    "$(peer_corpus_maker)" "$CORPUS" >&2
  fi
  mkdir -p "$TEXTS"
  for f in $SOURCE_TEXTS; do
    [ "$CORPUS/$f" -ef "$TEXTS/$f" ] && continue
    ln -f "$CORPUS/$f" "$TEXTS/$f" 2>/dev/null || cp "$CORPUS/$f" "$TEXTS/$f"
  done
}

# Installs a Debian package when its command is missing; returns non-zero when it stays
# missing.
peer_ensure_command() {
  local cmd=$1 package=$2 sudo=""
  command -v "$cmd" >/dev/null 2>&1 && return 0
  [ "$(id -u)" -eq 0 ] || sudo="sudo -n"
  peer_note "installing $package ..."
  export DEBIAN_FRONTEND=noninteractive
  { [ -n "$(find /var/lib/apt/lists -name '*Packages*' -print -quit 2>/dev/null)" ] ||
    $sudo apt-get update -qq; } >&2 || true
  $sudo apt-get install -y -qq --no-install-recommends "$package" >&2 || true
  command -v "$cmd" >/dev/null 2>&1
}

# Uses $CORVANE when given, else builds the Release program of this checkout.
peer_corvane() {
  if [ -n "${CORVANE:-}" ]; then
    [ -x "$CORVANE" ] || peer_die "CORVANE=$CORVANE is not an executable"
    return 0
  fi
  local build="$REPO/build/release"
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$REPO" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >&2 ||
      peer_die "cmake configure failed"
  fi
  peer_note "building corvane (Release) ..."
  cmake --build "$build" -j2 --target corvane >/dev/null || peer_die "the build of corvane failed"
  CORVANE="$build/tools/corvane/corvane"
}

# The words the model patterns can express: ASCII letters and digits only.
peer_plain_word() {
  case $1 in
    "" | *[!A-Za-z0-9]*) return 1 ;;
    *) return 0 ;;
  esac
}

# corvane's total of hits: the "<hits>\ttotal" line of --count.
corvane_total() {
  "$CORVANE" concord --count "$@" | awk -F'\t' '$2 == "total" { t = $1 } END { print t + 0 }'
}

# ripgrep's matches summed over the files.
rg_total() {
  rg --with-filename --count-matches "$@" | awk -F: '{ s += $NF } END { print s + 0 }'
}

# ----------------------------------------------------------------------------------------
# Patterns that say, in PCRE2 terms, what a whole-word hit is under a given definition of
# a word character. A hit of WORD is counted where no word character stands directly
# before or after it.
#
#   corvane   A word character is a letter or a digit of its character classes: Unicode
#             Alphabetic (letters, letter numbers such as Roman numerals, the combining
#             marks that belong to a script's spelling, circled letters), a decimal digit
#             (Nd) or another number (No: superscripts, fractions, circled digits). Classes
#             are looked up per UTF-16 code unit, so a character outside the
#             BMP (a surrogate pair) is never a word character. Case-insensitive search
#             compares with the word's upper-, lower- and title-case forms only, so an
#             ASCII word matches ASCII case variants and nothing else. The word-internal
#             characters given with --allow (default ' and -) join a word only where a word
#             character stands on both sides.
#   rg -w     \w of ripgrep's default engine: Alphabetic, every combining mark (M), Nd,
#             connector punctuation (Pc: the underscore), the zero-width joiner and
#             non-joiner, in every plane; -i folds case by Unicode simple folding (K, the
#             Kelvin sign U+212A, matches k; long s U+017F matches s).
#   \pL\pN    letters (L) and numbers (N, including No: superscripts, fractions, circled
#             digits).
# ----------------------------------------------------------------------------------------
P_RG_W='[\p{Alphabetic}\pM\p{Nd}\p{Pc}\x{200C}\x{200D}]'
P_LN='[\pL\pN]'
P_ALNUM='[\p{Alphabetic}\p{Nd}\p{No}]'
P_CV='(?![\x{10000}-\x{10FFFF}])[\p{Alphabetic}\p{Nd}\p{No}]'

# [tT][hH][eE] for "the": the case variants corvane compares with.
ascii_case_pattern() {
  printf '%s' "$1" | sed 's/[A-Za-z]/[\L&\U&]/g'
}

# A whole-word pattern: bounded WORD CLASS [ALLOW]. WORD is a regex (either "the" with -i,
# or an ascii_case_pattern); ALLOW is the set of word-internal characters, which extend
# the word when a word character follows (after it) or precedes (before it).
bounded() {
  local word=$1 class=$2 allow before after
  allow=$(printf '%s' "${3:-}" | sed 's/./\\&/g')
  before="(?<!$class)"
  after="(?!$class)"
  if [ -n "$allow" ]; then
    before="(?<!${class})(?<!${class}[${allow}])"
    after="(?!${class}|[${allow}]${class})"
  fi
  printf '%s(?:%s)%s' "$before" "$word" "$after"
}

# Median of the CPU (user + system) and wall seconds of RUNS runs of a command, as
# "CPU WALL".
median_run() {
  local i cpu=() wall=() t
  for ((i = 0; i < RUNS; i++)); do
    t=$({ TIMEFORMAT='%U %S %R'; time "$@" >/dev/null 2>&1; } 2>&1)
    read -r u s r <<<"$t"
    cpu+=("$(echo "$u + $s" | bc -l)")
    wall+=("$r")
  done
  printf '%s %s\n' "$(printf '%s\n' "${cpu[@]}" | sort -g | sed -n "$((RUNS / 2 + 1))p")" \
    "$(printf '%s\n' "${wall[@]}" | sort -g | sed -n "$((RUNS / 2 + 1))p")"
}
