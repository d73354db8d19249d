#include "commands.hpp"

void registerStatusCommands(CLI::App&, int&) {}
