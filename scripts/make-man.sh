#!/usr/bin/env bash
# Writes the manual page figplot(1) on standard output from the program's own --help
# texts, so that the page and --help never say different things.
#   scripts/make-man.sh [FIGPLOT]      (default build/host/figplot)
set -euo pipefail
figplot=${1:-build/host/figplot}
version=$("$figplot" --version | cut -d' ' -f2)

# Help text as roff: backslashes doubled, lines that start with . or ' protected.
roff() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

section() {  # TITLE COMMAND...
  local title=$1; shift
  printf '.SH %s\n.nf\n' "$title"
  "$figplot" "$@" --help | roff
  printf '.fi\n'
}

cat <<HEAD
.TH FIGPLOT 1 "" "figplot $version" "User Commands"
.SH NAME
figplot \\- run scripts and compose drawing command lists with the figPlot externals
HEAD
section "SYNOPSIS" 
section "RUN" run
section "COMPOSE" compose
section "INFO" info
cat <<TAIL
.SH FILES
.nf
figPlotU.so, figPlot.so   the externals, beside the library folder figplot was built for
.fi
.SH SEE ALSO
The figPlot user guide (docs/user-guide.md).
TAIL
