// SPDX-License-Identifier: MIT
// helune-cli (and helune-render, the same with the picture painted in process):
// the times of the Sun and the Moon for people and scripts, and the engine's
// query in its own conventions. The commands are defined in CommandTable.cpp.
#include <iostream>

#include "Console.h"

int main(int argc, char** argv) {
    helune::cli::Console console{std::cout};
    return helune::cli::RunConsole({argv + 1, argv + argc}, console);
}
