#pragma once
// Progress messages, text statistics, concordance spans and collocate stops: the types a
// long operation and a concordance share with the tools. Also the system-colour lookup and
// the tool's main window handle.

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// The kinds of progress message a long operation sends to its tool.
enum tprogress_types {
  progress_percent_this,
  progress_percent_overall,
  progress_mensagem_curta,
  progress_mensagem_longa,
  progress_show,
  progress_speed,
  progress_set_total_words,
  progress_memory,
  progress_clear_all,
  progress_clear_bars,
  progress_timeToGo,
  progress_error,
  progress_fatal_error
};
constexpr int kProgressTypeCount = progress_fatal_error + 1;

// A set of progress kinds: bit (1 << kind).
struct tProgress_set {
  std::uint32_t bits = 0;
  constexpr tProgress_set() = default;
  constexpr tProgress_set(std::initializer_list<tprogress_types> kinds) {
    for (tprogress_types k : kinds) bits |= 1u << k;
  }
  constexpr bool contains(tprogress_types k) const { return (bits >> k) & 1u; }
  constexpr void include(tprogress_types k) { bits |= 1u << k; }
  constexpr void exclude(tprogress_types k) { bits &= ~(1u << k); }
  constexpr bool empty() const { return bits == 0; }
  constexpr bool operator==(const tProgress_set&) const = default;
};

// The percentage of this item and the overall percentage.
using tProgressPercentsClass = std::array<int, 2>;

// 200 characters and a terminating zero.
using TProgressStringType = std::array<char16_t, 201>;

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// One progress message.
struct tProgressParams {
  tprogress_types main = progress_percent_this;
  tProgress_set other_requests;
  tProgressPercentsClass percents{};
  TPoint Centre;
  int total_words = 0;
  int running_words = 0;
  TProgressStringType mensagem_curta{};
  TProgressStringType mensagem_longa{};
};

// Copies text into a progress string, cut at 200 characters, always zero-terminated.
void SetProgressString(TProgressStringType& target, std::u16string_view text);
std::u16string ProgressStringText(const TProgressStringType& source);

// The centre of the tool's main window.
using TGetCentreOfMainFormEvent = std::function<TPoint()>;

enum text_stats_type { word_stats, sentence_stats, paragraph_stats, heading_stats, section_stats };
using TTextStatsIntegerArray = std::array<int, 5>;

// Word positions round a concordance hit: 50 to the left, the hit, 51 to the right.
enum TConcordance_span_type {
  span_L50,
  span_L49,
  span_L48,
  span_L47,
  span_L46,
  span_L45,
  span_L44,
  span_L43,
  span_L42,
  span_L41,
  span_L40,
  span_L39,
  span_L38,
  span_L37,
  span_L36,
  span_L35,
  span_L34,
  span_L33,
  span_L32,
  span_L31,
  span_L30,
  span_L29,
  span_L28,
  span_L27,
  span_L26,
  span_L25,
  span_L24,
  span_L23,
  span_L22,
  span_L21,
  span_L20,
  span_L19,
  span_L18,
  span_L17,
  span_L16,
  span_L15,
  span_L14,
  span_L13,
  span_L12,
  span_L11,
  span_L10,
  span_L09,
  span_L08,
  span_L07,
  span_L06,
  span_L05,
  span_L04,
  span_L03,
  span_L02,
  span_L01,
  span_Centre,
  span_R01,
  span_R02,
  span_R03,
  span_R04,
  span_R05,
  span_R06,
  span_R07,
  span_R08,
  span_R09,
  span_R10,
  span_R11,
  span_R12,
  span_R13,
  span_R14,
  span_R15,
  span_R16,
  span_R17,
  span_R18,
  span_R19,
  span_R20,
  span_R21,
  span_R22,
  span_R23,
  span_R24,
  span_R25,
  span_R26,
  span_R27,
  span_R28,
  span_R29,
  span_R30,
  span_R31,
  span_R32,
  span_R33,
  span_R34,
  span_R35,
  span_R36,
  span_R37,
  span_R38,
  span_R39,
  span_R40,
  span_R41,
  span_R42,
  span_R43,
  span_R44,
  span_R45,
  span_R46,
  span_R47,
  span_R48,
  span_R49,
  span_R50,
  span_R51,
};
constexpr int kConcordanceSpanCount = span_R51 + 1;
using TConcordance_span_type_Set = std::bitset<kConcordanceSpanCount>;
// The sub-range span_L05 .. span_R05.
constexpr TConcordance_span_type TFixedSortSpanRange_first = span_L05;
constexpr TConcordance_span_type TFixedSortSpanRange_last = span_R05;

// Where a collocate window stops.
enum Tcollocates_stop_at_type {
  coll_stop_none,
  coll_stop_punctuation,
  coll_stop_sentence,
  coll_stop_paragraph,
  coll_stop_heading,
  coll_stop_section,
  coll_stop_text
};

// Pairs of values, one per compared word list.
using Ttwo_KWlongints = std::array<std::int32_t, 2>;
using Ttwo_KWsingles = std::array<float, 2>;
using Ttwo_KWdoubles = std::array<double, 2>;

// A window handle as the tools keep it; 0 until the tool stores its main window.
using HWND = std::uintptr_t;
extern HWND global_own_HWnd;

// A colour of 0 or more is returned unchanged; a negative one names a system colour by
// its low 8 bits and gives that colour's current RGB value (red in the low byte).
std::uint32_t MyColourToRGB(int colour);

}  // namespace corvane
