#pragma once
// Which characters end a sentence: the three ASCII terminators, the sentence-ending marks
// of other scripts, and the other punctuation (general category Po) that never ends one.
// The tables hold UTF-16 code units in ascending order, so membership is a binary search.

#include <array>
#include <cstdint>

namespace corvane {

// "!", "." and "?".
extern const std::array<char16_t, 3> basic_sent_terminators;
// The full stops, question and exclamation marks of other scripts (Armenian, Arabic,
// Syriac, Devanagari, Myanmar, Ethiopic, Mongolian, CJK, full-width forms ...).
extern const std::array<char16_t, 63> other_sent_terminators;
// Punctuation of general category Po that never ends a sentence (commas, colons, list and
// section marks of other scripts, daggers, per-mille signs, ideographic comma ...).
extern const std::array<char16_t, 276> punct_not_ending_sent;

// True when c can end a sentence: one of the basic terminators or of the other scripts'
// terminators. Characters below 33 and from 64 to 125 are refused at once.
bool IsPotentialSentenceTerminator(char16_t c) noexcept;

// True for the basic terminators and the other scripts' terminators alike (the same set
// as IsPotentialSentenceTerminator, without its fast exits).
bool is_sentence_terminator(char16_t c) noexcept;
// True when c is in punct_not_ending_sent.
bool is_punct_not_ending_sent(char16_t c) noexcept;

}  // namespace corvane
