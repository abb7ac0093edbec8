#include "app/core/tool_command_line.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return tallimo::app::RunToolCommandLine(arguments, std::cout, std::cerr);
}
