#pragma once
// corvane concord's pictures (PNG, SVG, HTML): from the command's options to the library's.

#include <cstdint>
#include <string>
#include <vector>

#include "corvane/display/Concordance_pictures.hpp"
#include "tools/corvane/Cli.hpp"

namespace corvane::cli {

// Whether any picture is asked for.
bool wants_pictures(const ConcordOptions& options);

// The library's picture options from the command's; false with a message (no program
// prefix) for an unknown style, a font size or cell width out of range, no font name.
bool concord_picture_options(const ConcordOptions& options, std::uint32_t lcid,
                             const std::vector<ConcordSortKey>& keys,
                             concordance_picture_options& out, std::string& error);

}  // namespace corvane::cli
