#pragma once
// The texts under the paths a user names: folders are walked depth first in name order,
// each folder once however many links lead to it, and only regular files are taken from
// them (a FIFO, socket or device in a folder is no text and would hang a reader). A path
// named directly is taken whatever it is, for the reader to open as a file or a stream.
// Everything that cannot be walked is reported with its reason, never skipped silently.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct walk_problem {
  std::string path;
  std::string reason;  // "no such file or folder", "permission denied" ...
};

struct walked_texts {
  std::vector<std::string> files;  // in walk order; names are the bytes the system gave
  std::vector<walk_problem> problems;
};

// Adds the texts under `path` to `out`. `wanted` filters the names of files found in
// folders (their last component); null takes every one.
void walk_texts(const std::string& path, const std::function<bool(std::string_view)>& wanted,
                walked_texts& out);

// The system's reason for an errno value, in lower case ("no such file or directory").
std::string error_reason(int error);

}  // namespace corvane
