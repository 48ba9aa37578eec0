#pragma once
// The shared records, enumerations, fixed character arrays and callback types that the
// units pass between themselves and to the tools.
//
// Fields keep their names and order. Where a field's name is a C++ keyword (`int`, `long`)
// it carries a trailing underscore. "Bound" callbacks (a routine together with the object
// it belongs to) are std::function; "plain" callbacks are function pointers.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvane {

class TObject;

using TDateTimeValue = double;  // days since 1899-12-30, the fraction the time of day

// ---- Enumerations

enum TNormalOrStatusbar { tns_normal, tns_statusbar };
enum TRightOrLeft { at_left, at_right };
enum TStartingOrFinishing { t_starting, t_finishing };
enum Tkw_fnames_order { little_text, reference_corpus };
enum TNormalOrSpecial { t_normal, t_special };
enum TMySimpleSearchRecSort { ss_none, ss_date, ss_size, ss_folder, ss_shortname };

// ---- Records

// Prefix, root, infix and suffix of a word.
struct TPalavra {
  std::u16string prefixo, raiz, infixo, sufixo;
};

// The normal text and the status-bar text.
struct TNormalAndStatusbarStrs {
  std::array<std::u16string, 2> str;
};

// A file found while walking folders or a zip archive.
struct TMySearchRec {
  TDateTimeValue DateTime = 0;
  std::int32_t Size = 0;
  std::int32_t Attr = 0;
  std::int16_t Number_Within_Zip = 0;
  std::u16string ShortName;
};

struct TMySimpleSearchRec {
  TDateTimeValue DateTime = 0;
  std::int32_t Size = 0;
  std::int32_t folder_number = 0;
  std::u16string ShortName;
};

struct TMeanAndSD_Rec {
  float mean = 0, sd = 0;
};

struct TStringAndMeanAndSD_rec {
  TMeanAndSD_Rec score;
  std::u16string extra;
};

struct TTypeAndTokenAndSinglesDifferences {
  bool show_it = false;
  std::int32_t type_diffs = 0, token_diffs = 0;
  float type_diff_pc = 0, token_diff_pc = 0;
};

struct TTypeAndTokenRec {
  std::int32_t types = 0, tokens = 0;
};

struct TBooleanArrayRec {
  std::vector<bool> bools;
};

struct TCardinalAndPointerRec {
  std::uint32_t c = 0;
  void* p = nullptr;
};

struct TCardinalAndFreq {
  std::uint32_t c = 0;
  std::int32_t f = 0;
};

struct TIntegerAndPointerRec {
  std::int32_t v = 0;
  void* p = nullptr;
};

struct TIntegerAndBooleanRec {
  std::int32_t value = 0;
  bool b = false;
};

struct T2_Pointer {
  void *p1 = nullptr, *p2 = nullptr;
};

struct T2_longint_rec {
  std::int32_t long0 = 0, long1 = 0;
};
struct T3_longint_rec {
  std::int32_t long0 = 0, long1 = 0, long2 = 0;
};
struct T4_longint_rec {
  std::int32_t long0 = 0, long1 = 0, long2 = 0, long3 = 0;
};
using p2_longint_rec = T2_longint_rec*;
using p3_longint_rec = T3_longint_rec*;
using p4_longint_rec = T4_longint_rec*;

struct T2_Int64_rec {
  std::int64_t Int64_1 = 0, Int64_2 = 0;
};

struct TIndexAndObjRec {
  std::int32_t index = 0;
  TObject* holder = nullptr;
};

struct TIntegerAndSingleRec {
  std::int32_t int_ = 0;
  float s = 0;
};

struct T2LongintAndSingleRec {
  T2_longint_rec t2;
  float s = 0;
};

struct T3LongintAndSingleRec {
  T3_longint_rec t3;
  float s = 0;
};

struct TIntegerAndCardinalRec {
  std::int32_t freq = 0;
  std::uint32_t value = 0;
};
using PIntegerAndCardinalRec = TIntegerAndCardinalRec*;

struct Tdouble_cardinal_rec {
  std::uint32_t card1 = 0, card2 = 0;
};

struct TTriple_integer_rec {
  std::int32_t intg1 = 0, intg2 = 0, intg3 = 0;
};

struct TTriple_cardinal_rec {
  std::uint32_t card1 = 0, card2 = 0, card3 = 0;
};

struct TIndexAndPointerRec {
  std::int32_t index = 0;
  void* p = nullptr;
};

struct TIntegerAnd2CardinalsRec {
  std::int32_t freq = 0;
  Tdouble_cardinal_rec value;
};
using PIntegerAnd2CardinalsRec = TIntegerAnd2CardinalsRec*;

struct TIntegerAnd3CardinalsRec {
  std::int32_t freq = 0;
  TTriple_cardinal_rec value;
};
using PIntegerAnd3CardinalsRec = TIntegerAnd3CardinalsRec*;

struct TPointerAnd2CardinalsRec {
  void* p = nullptr;
  std::uint32_t Item1 = 0, Item2 = 0;
};

struct TSmall_and_long_rec {
  std::int16_t small = 0;
  std::int32_t long_ = 0;
};

struct TStringAnd2IntegersRec {
  std::u16string s;
  std::array<std::int32_t, 2> ns{};
};
struct TStringAnd3IntegersRec {
  std::u16string s;
  std::array<std::int32_t, 3> ns{};
};
struct TStringAnd4IntegersRec {
  std::u16string s;
  std::array<std::int32_t, 4> ns{};
};

struct T2Strings {
  std::u16string s1, s2;
};

struct T2StringsAndIntegerRec {
  std::int32_t int_ = 0;
  std::u16string s1, s2;
};

struct T2StringsAnd2IntegersRec {
  std::int32_t int1 = 0, int2 = 0;
  std::u16string s1, s2;
};

struct TStringAndIntegerRec {
  std::u16string s;
  std::int32_t i = 0;
};

struct TStringAndIntegerAndBooleanRec {
  TStringAndIntegerRec rec;
  bool b = false;
};

// `chuck`: drop the line.
struct TConvertedStringAnd2BooleansRec {
  std::u16string converted;
  bool convert_it = false;
  bool chuck = false;
};

struct TStringAndBooleanRec {
  std::u16string s;
  bool OK = false;
};

struct TStringIntAndBoolean {
  std::u16string w;
  std::int32_t i = 0;
  bool b = false;
};

struct TTwoStringsRec {
  std::u16string first, second;
};

struct TStringTrueColumnAndColourRec {
  std::int32_t true_column_number = 0;
  std::int32_t background_colour = 0;
  std::u16string s;
};

struct TWordFreqAndSourceNum {
  std::u16string w;
  std::int32_t f = 0;
  std::int32_t source_num = 0;
};

struct TWordAndFreq {
  std::u16string w;
  std::int32_t f = 0;
};

struct TWordStrAndBoolean {
  std::u16string w;
  bool b = false;
};

struct TIntegerAndBoolean {
  std::int32_t i = 0;
  bool b = false;
};

struct TYearMonthDay {
  std::int32_t year = 0, month = 0, day = 0;
  friend bool operator==(const TYearMonthDay&, const TYearMonthDay&) = default;
};

struct TYrMmDyHrMn {
  std::int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
  friend bool operator==(const TYrMmDyHrMn&, const TYrMmDyHrMn&) = default;
};

// ---- Fixed character arrays: the stated number of UTF-16 code units, the last kept for a
// terminating zero.

using onewidechar = std::array<char16_t, 2>;
using twowidechar = std::array<char16_t, 3>;
using threewidechar = std::array<char16_t, 4>;
using fourwidechar = std::array<char16_t, 5>;
using tenwidechar = std::array<char16_t, 11>;
using twentywidechar = std::array<char16_t, 21>;
using thirtywidechar = std::array<char16_t, 31>;
using fortywidechar = std::array<char16_t, 41>;
using fiftywidechar = std::array<char16_t, 51>;
using sixtywidechar = std::array<char16_t, 61>;
using eightywidechar = std::array<char16_t, 81>;
using ninety_ninewidechar = std::array<char16_t, 100>;
using hundredwidechar = std::array<char16_t, 101>;
using hundredandtwentytwowidechar = std::array<char16_t, 123>;
using twohundredwidechar = std::array<char16_t, 201>;
using twohundred22widechar = std::array<char16_t, 223>;
using fourhundredwidechar = std::array<char16_t, 401>;
using maxpathwidechar = std::array<char16_t, 261>;
using eightychar = std::array<char, 81>;

// Copies text into a fixed array, cut to leave room for the terminating zero, and reads
// one back up to its first zero.
template <std::size_t N>
void SetFixedChars(std::array<char16_t, N>& target, std::u16string_view text) {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < N; ++i) target[i] = i < n ? text[i] : u'\0';
}
template <std::size_t N>
std::u16string FixedCharsText(const std::array<char16_t, N>& source) {
  std::size_t n = 0;
  while (n < N && source[n] != u'\0') ++n;
  return std::u16string(source.data(), n);
}

// ---- Dynamic arrays

using TArray_of_Array_Of_integer = std::vector<std::vector<std::int32_t>>;
using TArray_of_CardinalAndPointerRec = std::vector<TCardinalAndPointerRec>;
using TArray_of_IntegerAndPointerRec = std::vector<TIntegerAndPointerRec>;
using TArray_of_IntegerAndBooleanRec = std::vector<TIntegerAndBooleanRec>;
using TArray_of_StringAndIntegerRec = std::vector<TStringAndIntegerRec>;
using TArray_of_integer = std::vector<std::int32_t>;

// ---- Callback types. Those that return true to stop say so.

using TStringAndIntegerReported = std::function<bool(const TStringAndIntegerRec& x)>;
// true = stop
using TContextAndStringAtAndQuitFunct = std::function<bool(
    const std::u16string& context, const std::u16string& x, int hit_percent, int position)>;
// true = stop
using TStringAtAndQuitFunct = std::function<bool(const std::u16string& x, int hit_percent)>;
using T2StringsAndIntegerBoolFunct = std::function<bool(T2StringsAndIntegerRec x)>;
using T2StringsAnd2IntegersBoolFunct = std::function<bool(T2StringsAnd2IntegersRec x)>;
using TStringAnd2IntegersBoolFunct = std::function<bool(TStringAnd2IntegersRec x)>;
using TStringAnd3IntegersBoolFunct = std::function<bool(TStringAnd3IntegersRec x)>;
using TStringAnd4IntegersBoolFunct = std::function<bool(TStringAnd4IntegersRec x)>;
using TStringAndIntegerBoolFunct = std::function<bool(TStringAndIntegerRec x)>;
using TStringToStringAndInteger = std::function<TStringAndIntegerRec(std::u16string x)>;
using TBoolFunct = std::function<bool()>;
using TBoolObjectEvent = std::function<bool(TObject* Sender)>;
using TProgressPercent = std::function<void(int percent, bool Overall)>;
using TProgressChangedFunct = std::function<bool(int percent)>;
using TLineShowMessageEvent = std::function<void(TObject* Sender, int item_num, int items_count,
                                                 int line_number, int out_of)>;
using TStringTestedBooleanFunct = std::function<bool(std::u16string x)>;
using TStringTestedIntegerFunct = std::function<int(std::u16string x)>;
using TGetAWordAsStringFunct = std::function<std::u16string(int word_number)>;
using TPointerOfObjectProc = std::function<void(void* a)>;
using TCompareFunctOfObject = std::function<int(void* a)>;
using TCompare2FunctOfObject = std::function<int(void* a, void* b)>;
using TSeedFunct = std::function<void()>;
using TMessageStringEvent = std::function<void(std::u16string aMessage)>;

using TCompareLCIDSensitiveFunct = std::int16_t (*)(std::uint32_t dwCmpFlags, std::uint32_t fLCID,
                                                    void* a, void* b);
using TCompareLCIDFunct = int (*)(std::uint32_t fLCID, void* a, void* b);
using TCompareLCIDBoundedFunct = int (*)(std::uint32_t fLCID, void* a, void* b, bool at_start,
                                         bool at_end, bool is_number);
using TCompareFunct = int (*)(void* a, void* b);  // negative, 0, positive
using TCompareFunctInt = int (*)(void* a, void* b);
using TCompareStringFunct = int (*)(const std::u16string& a, const std::u16string& b);
using TObjectLessStringTestedBooleanFunct = bool (*)(const std::u16string& x);
using TObjectLessStringAndIntTestBoolFunct = bool (*)(const TStringAndIntegerRec& x);
using TObjectLessStringAndIntTestBoolMaxFunct = bool (*)(const TStringAndIntegerRec& x,
                                                         int max_allowed);
using TDeleteFunct = void (*)(void* a);
using TPointerProc = void (*)(void* a);
using TNewFunct = void* (*)(void* a);
using TCheckedNewLenFunct = void* (*)(void* a, int len_in_chars);
using TAllocFunct = void* (*)(std::uint32_t a);
using TStrLenFunct = std::uint32_t (*)(void* a);
using TStrLCopyFunct = void* (*)(void* Dest, const void* Source, std::uint32_t MaxLen);

}  // namespace corvane
