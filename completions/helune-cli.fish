# SPDX-License-Identifier: MIT
# fish completion for helune-cli. The program names the candidates itself
# (helune-cli __complete WORD...), from its table of commands, each with its
# meaning after a tab, as fish shows it; "@files" asks for file names.
function __helune_cli_complete
    set -l answers (helune-cli __complete (commandline -opc)[2..-1] (commandline -ct) 2>/dev/null)
    if test "$answers[1]" = @files
        __fish_complete_path (commandline -ct)
    else
        printf '%s\n' $answers
    end
end
complete -c helune-cli -f -a '(__helune_cli_complete)'
