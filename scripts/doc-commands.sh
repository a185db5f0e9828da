#!/usr/bin/env bash
# Runs every command that README.md and docs/*.md show, so that the documentation cannot
# drift from the program. Shell blocks (```sh) run in a scratch copy of examples/ with
# build/host/figplot (and figplot on the PATH) standing for FIGPLOT; script blocks (```fig)
# run there with figplot run. Commands that build, install or run the tests (sudo, cmake,
# ctest, cpack, valgrind, scripts/*.sh) are what CI itself runs: for those the scripts and
# tools they name must exist and parse.
#   scripts/doc-commands.sh FIGPLOT
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
figplot=$(realpath "${1:-$source_dir/build/host/figplot}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/examples" "$work/"
mkdir -p "$work/build/host" "$work/bin" "$work/docs"
ln -s "$figplot" "$work/build/host/figplot"
ln -s "$figplot" "$work/bin/figplot"
export PATH="$work/bin:$PATH"

ran=0 checked=0 failed=0

# The blocks of one kind in a Markdown file, a record separator (octal 036) after each
# command (backslash continuations joined) or after each whole script.
blocks() {  # FILE KIND
  awk -v kind="$2" '
    BEGIN { opening = "^```" kind "$" }
    $0 ~ opening { inside = 1; text = ""; next }
    /^```/ && inside { inside = 0; if (kind == "fig") printf "%s\036", text; next }
    inside && kind == "fig" { text = text $0 "\n"; next }
    inside { line = line $0; if (line ~ /\\$/) { sub(/\\$/, "", line); next } if (line != "") printf "%s\036", line; line = "" }
  ' "$1"
}

# A command CI runs in its own step: the scripts and tools it names must be there.
check() {
  local command=$1 word
  for word in $command; do
    case $word in
      scripts/*.sh|tests/*.sh) bash -n "$source_dir/$word" || return 1 ;;
      cmake|ctest|cpack|valgrind|callgrind_annotate) command -v "$word" >/dev/null || return 1 ;;
    esac
  done
}

report() {  # FILE COMMAND STATUS
  if [ "$3" -ne 0 ]; then
    echo "FAILED ($1): $2" >&2
    failed=$((failed + 1))
  fi
}

cd "$work"
for file in "$source_dir"/README.md "$source_dir"/docs/*.md; do
  name=${file#"$source_dir"/}
  while IFS= read -r -d $'\036' command; do
    case $command in
      *sudo*|cmake\ *|ctest\ *|*cpack*|valgrind*|callgrind_annotate*|bash\ scripts/*)
        status=0; check "$command" || status=1; report "$name" "$command" $status; checked=$((checked + 1)) ;;
      *)
        status=0; bash -o pipefail -c "$command" >/dev/null 2>"$work/err.txt" || status=$?
        [ "$status" -eq 0 ] || cat "$work/err.txt" >&2
        report "$name" "$command" $status; ran=$((ran + 1)) ;;
    esac
  done < <(blocks "$file" sh)
  index=0
  while IFS= read -r -d $'\036' script; do
    index=$((index + 1))
    printf '%s' "$script" >"examples/guide/doc_$index.fig"
    status=0; figplot run "examples/guide/doc_$index.fig" -o out >/dev/null 2>"$work/err.txt" || status=$?
    [ "$status" -eq 0 ] || cat "$work/err.txt" >&2
    report "$name" "script block $index" $status; ran=$((ran + 1))
  done < <(blocks "$file" fig)
done
echo "documentation: $ran commands run, $checked build and test commands checked, $failed failed"
[ "$failed" -eq 0 ]
