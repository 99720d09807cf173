// Runs one linewright-cli command in-process and keeps what it wrote, so each test
// checks the exit code and both streams as a user of the command line sees them.
#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"

namespace lw::cli {

struct CommandRun {
  int exit = -1;
  std::string out, err;
};

inline CommandRun RunCommand(CommandFunction command, std::vector<std::string_view> args,
                             const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out, err;
  CommandRun run;
  run.exit = command(args, in, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// The whole file, or nothing when it cannot be read.
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace lw::cli
