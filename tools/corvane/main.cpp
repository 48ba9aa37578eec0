#include "tools/corvane/Cli.hpp"

int main(int argc, char** argv) {
  return corvane::cli::run(argc, argv);
}
