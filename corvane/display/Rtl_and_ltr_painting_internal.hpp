#pragma once
// Helpers shared by the sources of the line drawer; not part of its interface.

#include <utility>
#include <vector>

#include "corvane/display/Rtl_and_ltr_painting.hpp"

namespace corvane::painting_detail {

// Runs of consecutive odd-direction chunks between first and last (inclusive) that are to
// be reversed: three chunks or more, less a single space (or less) at the run's end. Each
// pair is the first and last index of the part to reverse.
std::vector<std::pair<std::int32_t, std::int32_t>> odd_runs_to_reverse(const TWordChunkList& list,
                                                                       std::int32_t first,
                                                                       std::int32_t last);

// True for a chunk whose text is one space.
bool is_single_space(const TWordChunk& chunk);

}  // namespace corvane::painting_detail
