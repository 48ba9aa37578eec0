#include "corvane/containers/Mystreammemlists.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "corvane/rtl/Utf.hpp"
#include "testing/Test_support.hpp"

namespace corvane {
namespace {

using testing::B;

// A test's own list name, and the object it makes, removed at the end.
class MemmapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    name_ = u16(std::string(info->name()) + "_" + std::to_string(::getpid()));
  }
  void TearDown() override { SharedMemory::unlink(object()); }
  std::string object() const { return "wordbuf_compartilhar" + u8(name_); }

  // The object's bytes as another program would see them.
  std::vector<std::uint8_t> object_bytes() const {
    std::vector<std::uint8_t> bytes;
    const int fd = ::shm_open(("/" + object()).c_str(), O_RDONLY, 0);
    if (fd < 0) return bytes;
    struct stat status {};
    ::fstat(fd, &status);
    bytes.resize(static_cast<std::size_t>(status.st_size));
    if (!bytes.empty() && ::pread(fd, bytes.data(), bytes.size(), 0) < 0) bytes.clear();
    ::close(fd);
    return bytes;
  }
  // Puts raw bytes into the object, as a damaged or hostile writer would.
  void plant(const std::vector<std::uint8_t>& bytes) const {
    const int fd = ::shm_open(("/" + object()).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fd);
  }
  std::vector<std::u16string> lines(const TStringMemList& list) {
    std::vector<std::u16string> out;
    for (std::int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
  }

  std::u16string name_;
};

TEST_F(MemmapTest, AFlexibleMapIsMadeFourBytesLargerWithItsSizeInTheFirstWord) {
  TFlexibleSizeMap map(name_, 100);
  EXPECT_EQ(map.Mapname(), u"wordbuf_compartilhar" + name_);
  EXPECT_EQ(map.Size(), 100);
  const auto bytes = object_bytes();
  ASSERT_EQ(bytes.size(), 104u);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4), B({100, 0, 0, 0}));

  // Another map of the name opens it and takes its size from the word.
  TFlexibleSizeMap other(name_, 8);
  EXPECT_EQ(other.Size(), 100);
  EXPECT_EQ(object_bytes().size(), 104u);

  EXPECT_TRUE(map.HandleException(nullptr, 99));
  EXPECT_FALSE(map.HandleException(nullptr, 100));
  EXPECT_FALSE(map.HandleException(nullptr, -1));
  EXPECT_TRUE(map.SetMemL(100, 0x01020304));  // the slack word is mapped
  EXPECT_FALSE(map.SetMemL(101, 1));
  EXPECT_EQ(other.GetMemL(100), 0x01020304);
  EXPECT_EQ(other.GetMemL(-4), 0);
  EXPECT_EQ(map.ConvertPointer(105), nullptr);
}

TEST_F(MemmapTest, ReadsAndWritesStayInsideTheUsableSize) {
  TFlexibleSizeMap map(name_, 10);
  const char text[] = "abcdefgh";
  EXPECT_TRUE(map.WriteToMemmap(text, 4, 6));
  EXPECT_EQ(map.Position(), 10);
  EXPECT_FALSE(map.WriteToMemmap(text, 6, 6));
  char out[16] = {};
  EXPECT_EQ(map.ReadFromMemmap(out, 4, 100), 6);
  EXPECT_EQ(std::string(out), "abcdef");
  EXPECT_EQ(map.Position(), 10);
  EXPECT_EQ(map.ReadFromMemmap(out, 10, 4), 0);
  EXPECT_EQ(map.ReadFromMemmap(out, 0, -1), 0);
  EXPECT_EQ(map.ReadFromMemmap(out, -3, 4), 0);
  map.Close();
  EXPECT_EQ(map.Size(), 0);
  EXPECT_EQ(map.ReadFromMemmap(out, 0, 4), 0);
}

TEST_F(MemmapTest, ElementsAreCountedUtf16LinesEndingInAZeroUnit) {
  TStringMemList list(name_);
  list.AddString(u"ab");
  list.AddString(u"");
  list.AddString(u"\u00E9");
  ASSERT_TRUE(list.CopyToMemmap());
  // T = 4 + 10 + 6 + 8 = 28, the object 32 bytes.
  EXPECT_EQ(object_bytes(), B({28, 0, 0, 0,                          //
                               6,  0, 0, 0, 0x61, 0, 0x62, 0, 0, 0,  //
                               2,  0, 0, 0, 0,    0,                 //
                               4,  0, 0, 0, 0xE9, 0, 0,    0,        //
                               0,  0, 0, 0}));

  TStringMemList reader(name_, memmap_access::read_only);
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(lines(reader), (std::vector<std::u16string>{u"ab", u"", u"\u00E9"}));

  // The writer grows and shrinks the block under a reader that keeps its map.
  for (int i = 0; i < 2000; ++i) list.AddString(u"more");
  ASSERT_TRUE(list.CopyToMemmap());
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 2003);
  while (list.Count() > 3) list.Delete(list.Count() - 1);
  ASSERT_TRUE(list.CopyToMemmap());
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(lines(reader), (std::vector<std::u16string>{u"ab", u"", u"\u00E9"}));

  EXPECT_TRUE(list.MoveToMemmap());
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.data_only_in_memmap);
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 3);
  EXPECT_FALSE(reader.data_only_in_memmap);

  TStringMemList zero(name_);
  zero.AddString(std::u16string(u"a\0b", 3));
  EXPECT_FALSE(zero.CopyToMemmap());
}

TEST_F(MemmapTest, CopyingResizesAnObjectThatOutlivedItsWriters) {
  {
    TStringMemList first(name_);
    for (int i = 0; i < 50; ++i) first.AddString(u"a fairly long line of text");
    ASSERT_TRUE(first.CopyToMemmap());
  }
  ASSERT_EQ(object_bytes().size(), 4u + 50 * (4 + 52 + 2) + 4);
  TStringMemList second(name_);
  second.AddString(u"x");
  ASSERT_TRUE(second.CopyToMemmap());
  EXPECT_EQ(object_bytes(), B({12, 0, 0, 0, 4, 0, 0, 0, 0x78, 0, 0, 0, 0, 0, 0, 0}));
  second.AddString(u"yz");
  ASSERT_TRUE(second.CopyToMemmap());
  EXPECT_EQ(object_bytes().size(), 22u + 4);

  TStringMemList reader(name_, memmap_access::read_only);
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(lines(reader), (std::vector<std::u16string>{u"x", u"yz"}));

  // Removed while the writer still had it open: the next copy makes it again.
  ASSERT_TRUE(second.Unlink());
  second.AddString(u"new");
  ASSERT_TRUE(second.CopyToMemmap());
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 3);
}

TEST_F(MemmapTest, AListWrittenByOneProcessIsReadByAnother) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TStringMemList list(name_);
    list.AddString(u"from the child");
    list.AddString(u"\U0001F600 and \u05D0");
    ::_exit(list.CopyToMemmap() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  TStringMemList reader(name_, memmap_access::read_only);
  ASSERT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(lines(reader),
            (std::vector<std::u16string>{u"from the child", u"\U0001F600 and \u05D0"}));
  EXPECT_TRUE(reader.Unlink());
  EXPECT_FALSE(SharedMemory::exists(object()));
}

TEST_F(MemmapTest, AReaderNeverMakesOrResizesTheMemory) {
  TStringMemList missing(name_, memmap_access::read_only);
  EXPECT_FALSE(missing.memmap->IsOpen());
  EXPECT_EQ(missing.memmap->Failure(), shm_failure::missing);
  EXPECT_FALSE(missing.LoadFromMemmap());
  EXPECT_FALSE(SharedMemory::exists(object()));

  // A first element word of 0: nothing loaded, the header was read.
  plant(B({100, 0, 0, 0, 0, 0, 0, 0}));
  TStringMemList reader(name_, memmap_access::read_only);
  EXPECT_EQ(reader.memmap->Size(), 8);  // the word says 100, the object holds 8
  EXPECT_TRUE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 0);
  EXPECT_EQ(object_bytes().size(), 8u);

  // A size word far beyond the object, and an element claiming more than is left.
  plant(B({0xFF, 0xFF, 0xFF, 0x7F, 4, 0, 0, 0, 0x61, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0x7F, 0x62, 0}));
  EXPECT_FALSE(reader.LoadFromMemmap());
  EXPECT_EQ(lines(reader), (std::vector<std::u16string>{u"a"}));
  EXPECT_EQ(object_bytes().size(), 18u);

  // An odd count, a count without its zero unit, a negative size word.
  plant(B({14, 0, 0, 0, 3, 0, 0, 0, 0x61, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 0);
  plant(B({10, 0, 0, 0, 2, 0, 0, 0, 0x61, 0}));
  EXPECT_FALSE(reader.LoadFromMemmap());
  plant(B({0xFE, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0, 0x61, 0, 0, 0}));
  EXPECT_FALSE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.memmap->Size(), 0);
  // A block cut inside an element's leading word.
  plant(B({6, 0, 0, 0, 4, 0}));
  EXPECT_FALSE(reader.LoadFromMemmap());
}

TEST_F(MemmapTest, AnotherUsersMemoryReadsAsEmpty) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs to give an object away";
  plant(B({12, 0, 0, 0, 4, 0, 0, 0, 0x61, 0, 0, 0}));
  const int fd = ::shm_open(("/" + object()).c_str(), O_RDWR, 0);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::fchown(fd, 65534, 65534), 0);
  ::close(fd);
  TStringMemList reader(name_, memmap_access::read_only);
  EXPECT_EQ(reader.memmap->Size(), 0);
  EXPECT_EQ(reader.memmap->Failure(), shm_failure::foreign);
  EXPECT_FALSE(reader.LoadFromMemmap());
  EXPECT_EQ(reader.Count(), 0);
  TStringMemList writer(name_);
  writer.AddString(u"b");
  EXPECT_FALSE(writer.CopyToMemmap());
  EXPECT_EQ(object_bytes().size(), 12u);
}

}  // namespace
}  // namespace corvane
