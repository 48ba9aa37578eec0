#pragma once
// What the tests of the corvane program share: running it in process and writing small
// input files.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/corvane/Cli.hpp"

namespace corvane::cli::testing {

struct Result {
  int status;
  std::string out, err;
};

// Runs "corvane" with the arguments and returns its exit status and what it printed.
inline Result run_corvane(std::vector<std::string> args) {
  args.insert(args.begin(), "corvane");
  std::ostringstream out, err;
  const int status = run(args, out, err);
  return {status, out.str(), err.str()};
}

// Writes the bytes to a file of that name in the test's temporary folder.
inline std::string write_file(const std::string& name, const std::string& bytes) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace corvane::cli::testing
