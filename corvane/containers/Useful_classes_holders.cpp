// Stream formats of the holders of Useful_classes.

#include "corvane/containers/Useful_classes.hpp"
#include "corvane/rtl/Streams_endian.hpp"

namespace corvane {

bool TIntegerAndSingleHolder::ReadFromStream(TStream& Stream) {
  return try_read_i32(Stream, data.int_) && try_read_float(Stream, data.s);
}
bool TIntegerAndSingleHolder::SaveToStream(TStream& Stream) {
  return try_write_i32(Stream, data.int_) && try_write_float(Stream, data.s);
}

bool TCardinalAndFreqHolder::ReadFromStream(TStream& Stream) {
  return try_read_u32(Stream, data.c) && try_read_i32(Stream, data.f);
}
bool TCardinalAndFreqHolder::SaveToStream(TStream& Stream) {
  return try_write_u32(Stream, data.c) && try_write_i32(Stream, data.f);
}

bool T2LongIntAndSingleHolder::ReadFromStream(TStream& Stream) {
  return try_read_i32(Stream, data.t2.long0) && try_read_i32(Stream, data.t2.long1) &&
         try_read_float(Stream, data.s);
}
bool T2LongIntAndSingleHolder::SaveToStream(TStream& Stream) {
  return try_write_i32(Stream, data.t2.long0) && try_write_i32(Stream, data.t2.long1) &&
         try_write_float(Stream, data.s);
}

bool T3LongIntAndSingleHolder::ReadFromStream(TStream& Stream) {
  return try_read_i32(Stream, data.t3.long0) && try_read_i32(Stream, data.t3.long1) &&
         try_read_i32(Stream, data.t3.long2) && try_read_float(Stream, data.s);
}
bool T3LongIntAndSingleHolder::SaveToStream(TStream& Stream) {
  return try_write_i32(Stream, data.t3.long0) && try_write_i32(Stream, data.t3.long1) &&
         try_write_i32(Stream, data.t3.long2) && try_write_float(Stream, data.s);
}

bool T2StringsAnd2IntegersHolder::ReadFromStream(TStream& Stream) {
  if (!try_read_i32(Stream, data.int1) || !try_read_i32(Stream, data.int2)) return false;
  ReadAString(Stream, data.s1);
  ReadAString(Stream, data.s2);
  return true;
}
bool T2StringsAnd2IntegersHolder::SaveToStream(TStream& Stream) {
  bool ok = try_write_i32(Stream, data.int1) && try_write_i32(Stream, data.int2);
  WriteAString(Stream, data.s1);
  WriteAString(Stream, data.s2);
  return ok;
}

bool TStringTrueColumnAndColourHolder::ReadFromStream(TStream& Stream) {
  try_read_i32(Stream, data.true_column_number);
  try_read_i32(Stream, data.background_colour);
  ReadAString(Stream, data.s);
  return true;
}
bool TStringTrueColumnAndColourHolder::SaveToStream(TStream& Stream) {
  try_write_i32(Stream, data.true_column_number);
  try_write_i32(Stream, data.background_colour);
  WriteAString(Stream, data.s);
  return true;
}

}  // namespace corvane
