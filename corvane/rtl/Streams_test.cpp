#include "corvane/rtl/Streams.hpp"
#include "testing/Test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Streams_endian.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

using testing::B;

TEST(TMemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream s;
  EXPECT_EQ(s.Write("abcdef", 6), 6);
  EXPECT_EQ(s.Position(), 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Seek(-2, soFromEnd), 4);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 2);
  EXPECT_EQ(std::string(buf, 2), "ef");
  EXPECT_EQ(s.Read(buf, 8), 0);
  EXPECT_EQ(s.Seek(-3, soFromCurrent), 3);
  s.SetSize(2);
  EXPECT_EQ(s.Position(), 2);
  // Writing past the end fills the gap with zeros.
  s.SetPosition(4);
  s.Write("z", 1);
  EXPECT_EQ(s.bytes(), B({'a', 'b', 0, 0, 'z'}));
  // A negative position reads and writes nothing.
  s.SetPosition(-1);
  EXPECT_EQ(s.Read(buf, 1), 0);
  EXPECT_EQ(s.Write("q", 1), 0);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(TStream, ShortReadsAndWritesThrow) {
  TBytesStream s(B({1, 2, 3}));
  std::uint8_t buf[4];
  try {
    s.ReadBuffer(buf, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
  s.SetPosition(0);
  s.ReadBuffer(buf, 3);
  s.ReadBuffer(buf, 0);  // nothing asked, nothing missing
  EXPECT_THROW(read_u8(s), EReadError);
  s.SetPosition(2);
  EXPECT_THROW(read_u16(s), EReadError);
  s.SetPosition(-5);
  try {
    s.WriteBuffer(buf, 1);
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_STREQ(e.what(), "Stream write error");
  }
}

TEST(TStream, CopyFrom) {
  TBytesStream source(B({1, 2, 3, 4, 5}));
  TMemoryStream target;
  source.SetPosition(3);
  EXPECT_EQ(target.CopyFrom(source, 0), 5);  // 0 copies everything from the start
  EXPECT_EQ(target.bytes(), B({1, 2, 3, 4, 5}));
  source.SetPosition(1);
  EXPECT_EQ(target.CopyFrom(source, 2), 2);
  EXPECT_EQ(target.bytes(), B({1, 2, 3, 4, 5, 2, 3}));
  EXPECT_THROW(target.CopyFrom(source, 10), EReadError);
}

TEST(Endian, FieldsAreLittleEndianByteByByte) {
  TMemoryStream s;
  write_u8(s, 0xAB);
  write_u16(s, 0x1234);
  write_i16(s, -2);
  write_u32(s, 0x01020304);
  write_i32(s, -1);
  write_u64(s, 0x0102030405060708ull);
  write_i64(s, -3);
  write_float(s, 1.0f);
  write_double(s, -2.0);
  write_utf16_units(s, u"a\u00e9\u4e2d");
  EXPECT_EQ(s.bytes(), B({0xAB, 0x34, 0x12, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xFF,
                          0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0xFD, 0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F, 0,    0,    0,
                          0,    0,    0,    0,    0xC0, 0x61, 0x00, 0xE9, 0x00, 0x2D, 0x4E}));
  s.SetPosition(0);
  EXPECT_EQ(read_u8(s), 0xAB);
  EXPECT_EQ(read_u16(s), 0x1234);
  EXPECT_EQ(read_i16(s), -2);
  EXPECT_EQ(read_u32(s), 0x01020304u);
  EXPECT_EQ(read_i32(s), -1);
  EXPECT_EQ(read_u64(s), 0x0102030405060708ull);
  EXPECT_EQ(read_i64(s), -3);
  EXPECT_EQ(read_float(s), 1.0f);
  EXPECT_EQ(read_double(s), -2.0);
  EXPECT_EQ(read_utf16_units(s, 3), u"a\u00e9\u4e2d");
}

TEST(Endian, TryReadsReportShortStreams) {
  TBytesStream s(B({1, 0, 0}));
  std::uint32_t v = 99;
  EXPECT_FALSE(try_read_u32(s, v));
  EXPECT_EQ(v, 99u);
  s.SetPosition(0);
  std::uint16_t w = 0;
  EXPECT_TRUE(try_read_u16(s, w));
  EXPECT_EQ(w, 1);
  // A huge unit count on a short stream fails without allocating for the count.
  TBytesStream t(B({'a', 0, 'b'}));
  std::u16string out;
  EXPECT_FALSE(try_read_utf16_units(t, 0x7FFFFFFF, out));
  EXPECT_EQ(out, u"a");
  t.SetPosition(0);
  EXPECT_THROW(read_utf16_units(t, 2), EReadError);
  EXPECT_FALSE(try_read_utf16_units(t, -1, out));
}

TEST(TStringStream, HoldsUtf16Le) {
  TStringStream s(u"hi");
  EXPECT_EQ(s.bytes(), B({'h', 0, 'i', 0}));
  EXPECT_EQ(s.DataString(), u"hi");
}

TEST(TFileStream, ModesAndErrors) {
  std::string path = ::testing::TempDir() + "corvane_fs_test.bin";
  std::u16string name = u16(path);
  {
    TFileStream f(name, fmCreate);
    write_u32(f, 0xDDCCBBAA);
    EXPECT_EQ(f.Size(), 4);
  }
  {
    TFileStream f(name, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(read_u32(f), 0xDDCCBBAAu);
    EXPECT_THROW(read_u8(f), EReadError);
    EXPECT_THROW(write_u8(f, 1), EWriteError);
  }
  {
    TFileStream f(name, fmOpenReadWrite);
    f.Seek(0, soFromEnd);
    write_u8(f, 0xEE);
    f.SetSize(2);
    EXPECT_EQ(f.Size(), 2);
    EXPECT_EQ(f.Position(), 2);
  }
  {
    TMemoryStream m;
    m.LoadFromFile(name);
    EXPECT_EQ(m.bytes(), B({0xAA, 0xBB}));
  }
  std::remove(path.c_str());
  try {
    TFileStream f(name, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u);
  }
  try {
    TFileStream f(u"/nonexistent-dir-xyz/f", fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"/nonexistent-dir-xyz/f\". ", 0),
              0u);
  }
}

}  // namespace
}  // namespace corvane
