# SPDX-License-Identifier: MIT
# bash completion for helune-cli. The program names the candidates itself
# (helune-cli __complete WORD...), from its own definition of each command.
_helune_cli() {
    local IFS=$'\n'
    local current=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=($(compgen -W "$(helune-cli __complete "${COMP_WORDS[@]:1:COMP_CWORD}" 2>/dev/null)" -- "$current"))
}
complete -F _helune_cli helune-cli
