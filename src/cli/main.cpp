// linewright-cli: the headless front end of Linewright.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return lw::cli::RunCommandLine(args, std::cin, std::cout, std::cerr);
}
