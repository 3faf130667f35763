# SPDX-License-Identifier: MIT
# fish completion for helune-cli. The program names the candidates itself
# (helune-cli __complete WORD...), from its own definition of each command.
complete -c helune-cli -f -a '(helune-cli __complete (commandline -opc)[2..-1] (commandline -ct) 2>/dev/null)'
