# SPDX-License-Identifier: MIT
# bash completion for helune-cli. The program names the candidates itself
# (helune-cli __complete WORD...), from its table of commands, each with its
# meaning after a tab, which bash does not show; "@files" asks for file names.
_helune_cli() {
    local IFS=$'\n'
    local current=${COMP_WORDS[COMP_CWORD]}
    local answers
    answers=$(helune-cli __complete "${COMP_WORDS[@]:1:COMP_CWORD}" 2>/dev/null)
    if [[ $answers == @files ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$current"))
    else
        COMPREPLY=($(compgen -W "$(cut -f1 <<<"$answers")" -- "$current"))
    fi
}
complete -F _helune_cli helune-cli
