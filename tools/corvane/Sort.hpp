#pragma once
// corvane sort: tab-separated lines sorted by a field (file name, date, integer, float) or
// by a custom letter order.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace corvane::cli {

struct SortOptions {
  std::string by;          // name, date[:C], int[:C] or float[:C]; empty with an order
  std::string order_file;  // --order: one letter or group per line, or comma-separated
  std::string order_text;  // --order-text: the order as typed
  bool has_order_file = false, has_order_text = false;
  bool reverse = false, stable = false, show_key = false;
  std::string output;              // -o: empty for standard output
  std::vector<std::string> files;  // empty: standard input
};

// Exit 0 when sorted (empty input too); 2 for a bad key or option mix, or a file or order
// that cannot be read.
int command_sort(const SortOptions& options, std::istream& in, std::ostream& out,
                 std::ostream& err);

void add_sort_command(CLI::App& app, int& status, std::ostream& out, std::ostream& err);

}  // namespace corvane::cli
