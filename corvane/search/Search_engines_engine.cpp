// The search-and-do engine.

#include "corvane/search/Search_engines.hpp"
#include "corvane/text/Wingenok.hpp"

namespace corvane {

TSearchAndDoEngine::TSearchAndDoEngine(bool buffer_in_unicode, bool search_words_in_unicode,
                                       std::uint32_t LCID, std::uint16_t* class_array)
    : fBufferDetails(class_array),
      fPreAssigned(class_array != nullptr),
      fSearchWordsInUnicode(search_words_in_unicode),
      fBufferInUnicode(buffer_in_unicode),
      fLCID(LCID),
      Codepage(LCIDToCodePage(LCID)) {}

// The class array the engine built itself goes with own_details_; one the host supplied
// stays the host's.
TSearchAndDoEngine::~TSearchAndDoEngine() = default;

}  // namespace corvane
