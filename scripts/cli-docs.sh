#!/usr/bin/env bash
# Writes a manual page (troff) or a bash completion script for a command-line program from its own
# --help output, so that both follow the program's options without being edited by hand.
#   cli-docs.sh man PROGRAM NAME SECTION-TITLE OUT
#   cli-docs.sh completion PROGRAM NAME OUT
# Subcommands are found under "Subcommands:" of each help text, to any depth.
set -euo pipefail
mode=$1 program=$2 name=$3

help_of() { "$program" "$@" --help; }

# The names listed under "Subcommands:" of a help text.
subcommands_in() {
  awk '/^Subcommands:/ { on = 1; next } on && /^[^ ]/ { on = 0 } on && /^  [^ ]/ { print $1 }'
}

# The option names (--long and -s) under "Options:" of a help text.
options_in() {
  awk '/^Options:/ { on = 1; next } on && /^[^ ]/ { on = 0 }
       on && /^  -/ { n = split($1, parts, ","); for (i = 1; i <= n; i++) { sub(/[=:\[].*/, "", parts[i]); print parts[i] } }'
}

# All command paths ("" for the program itself, then "sub", "sub sub2", ...).
command_paths() {
  local prefix=$1
  echo "$prefix"
  local sub
  # shellcheck disable=SC2086
  for sub in $(help_of $prefix | subcommands_in); do
    command_paths "${prefix:+$prefix }$sub"
  done
}

# troff-safe text: backslashes doubled, a leading "." or "'" protected.
troff_escape() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

write_man() {
  local title=$1 out=$2 top description
  top=$(help_of)
  # The first line, without a pipe into head: head leaves after one line, and printf, which writes
  # line by line, may then die of the closed pipe, which pipefail makes this script's failure.
  description=${top%%$'\n'*}
  {
    printf '.TH %s 1 "" "Vantreo" "%s"\n' "$(printf '%s' "$name" | tr '[:lower:]' '[:upper:]')" "$title"
    printf '.SH NAME\n%s \\- %s\n' "$name" "$(printf '%s' "${description#* - }" | troff_escape)"
    printf '.SH SYNOPSIS\n.nf\n%s\n.fi\n' "$(printf '%s\n' "$top" | grep '^Usage:' | sed "s|^Usage: [^ ]*|$name|" | troff_escape)"
    printf '.SH DESCRIPTION\n%s.\n' "$(printf '%s' "${description#* - }" | sed 's/^./\u&/' | troff_escape)"
    printf '.PP\nExit status: 0 on success, 1 with a one-line message on failure.\n'
    printf '.SH OPTIONS\n.nf\n%s\n.fi\n' "$(printf '%s\n' "$top" | sed -n '/^Options:/,/^$/p' | sed '1d;/^$/d' | troff_escape)"
    local path first=1
    while IFS= read -r path; do
      [ -z "$path" ] && continue
      if [ $first = 1 ]; then printf '.SH COMMANDS\n'; first=0; fi
      printf '.SS %s\n.nf\n' "$path"
      # shellcheck disable=SC2086
      help_of $path | sed "s|^Usage: [^ ]*|Usage: $name|" | troff_escape
      printf '.fi\n'
    done < <(command_paths "")
    printf '.SH SEE ALSO\ntransclient(1), lngtool(1), mtserver(1)\n'
  } > "$out"
}

write_completion() {
  local out=$1 path subs
  {
    printf '# bash completion for %s, made from its --help\n' "$name"
    printf '_%s() {\n' "$name"
    printf '  local cur=${COMP_WORDS[COMP_CWORD]} path="" i\n'
    printf '  for ((i = 1; i < COMP_CWORD; i++)); do\n'
    printf '    case "${COMP_WORDS[i]}" in -*) ;; *) case " $(_%s_subs "$path") " in *" ${COMP_WORDS[i]} "*) path="${path:+$path }${COMP_WORDS[i]}" ;; esac ;; esac\n' "$name"
    printf '  done\n'
    printf '  if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W "$(_%s_opts "$path")" -- "$cur"));\n' "$name"
    printf '  else COMPREPLY=($(compgen -W "$(_%s_subs "$path")" -- "$cur") $(compgen -f -- "$cur")); fi\n' "$name"
    printf '}\n'
    printf '_%s_subs() {\n  case "$1" in\n' "$name"
    while IFS= read -r path; do
      # shellcheck disable=SC2086
      subs=$(help_of $path | subcommands_in | tr '\n' ' ')
      [ -n "$subs" ] && printf '    "%s") echo "%s" ;;\n' "$path" "${subs% }"
    done < <(command_paths "")
    printf '  esac\n}\n'
    printf '_%s_opts() {\n  case "$1" in\n' "$name"
    while IFS= read -r path; do
      # shellcheck disable=SC2086
      printf '    "%s") echo "%s" ;;\n' "$path" "$(help_of $path | options_in | tr '\n' ' ' | sed 's/ $//')"
    done < <(command_paths "")
    printf '  esac\n}\n'
    printf 'complete -o filenames -o bashdefault -F _%s %s\n' "$name" "$name"
  } > "$out"
}

case $mode in
  man) write_man "$4" "$5" ;;
  completion) write_completion "$4" ;;
  *) echo "usage: cli-docs.sh man|completion PROGRAM NAME ..." >&2; exit 2 ;;
esac
