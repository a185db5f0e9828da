# bash completion for figplot: commands, each command's options, and the values of
# --depth, --format and --external. Installed as share/bash-completion/completions/figplot.
_figplot() {
  local cur prev command word
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  command=
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case $word in run|compose|info|help) command=$word; break ;; esac
  done
  case $prev in
    --external) COMPREPLY=($(compgen -W "figPlotU figPlot" -- "$cur") $(compgen -f -X '!*.so' -- "$cur")); return ;;
    --depth) COMPREPLY=($(compgen -W "1 4 8 16 24 32" -- "$cur")); return ;;
    --format) COMPREPLY=($(compgen -W "png bmp" -- "$cur")); return ;;
    --width|--height) return ;;
    -o) COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null; return ;;
  esac
  case $command in
    "") COMPREPLY=($(compgen -W "run compose info help --external --smooth --no-smooth --version --help" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "run compose info" -- "$cur")) ;;
    run) if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W "-o --external --smooth --no-smooth --help" -- "$cur"));
         else COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null; fi ;;
    compose) if [[ $cur == -* ]]; then
               COMPREPLY=($(compgen -W "-o --width --height --depth --format --jobs --external --smooth --no-smooth --help" -- "$cur"))
             else COMPREPLY=($(compgen -f -X '!*.csv' -- "$cur") $(compgen -d -- "$cur")); compopt -o filenames 2>/dev/null; fi ;;
    info) COMPREPLY=($(compgen -W "--external --help" -- "$cur")) ;;
  esac
}
complete -F _figplot figplot
