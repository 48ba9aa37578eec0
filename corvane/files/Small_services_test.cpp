// The user's name and initials, appending to a UTF-16 file, and library look-ups.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "corvane/files/Dll_utils.hpp"
#include "corvane/files/Fileofchar.hpp"
#include "corvane/files/Registry_utils.hpp"
#include "corvane/rtl/Exception.hpp"
#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(RegistryUtils, UserNameAndInitials) {
  const struct passwd* entry = ::getpwuid(::geteuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(Registry_Current_User(), u16(entry->pw_name));
  EXPECT_EQ(detail::initials_of(u"JohnDoe"), u"JD");
  EXPECT_EQ(detail::initials_of(u"jdoe"), u"");
  EXPECT_EQ(detail::initials_of(u"anneMarieSmithJones"), u"MS");
  EXPECT_EQ(detail::initials_of(u"\u00C9mileX"), u"\u00C9X");
  EXPECT_EQ(detail::initials_of(u"oneO"), u"O");
}

TEST(Fileofchar, CreatesWithMarkThenAppendsOnlyTheCodeUnits) {
  const fs::path file = fs::temp_directory_path() / ("cv_foc_" + std::to_string(::getpid()));
  fs::remove(file);
  AddToFileOfChar(u"", u"nothing");  // no name: nothing happens
  AddToFileOfChar(u16(file.string()), u"a\u20AC");
  AddToFileOfChar(u16(file.string()), u"b");
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("\xFF\xFE"
                                                                             "a\0\xAC\x20"
                                                                             "b\0",
                                                                             8));
  fs::remove(file);
  EXPECT_THROW(AddToFileOfChar(u"/no/such/folder/x", u"x"), EFCreateError);
}

TEST(DllUtils, FindsAndClosesLibraryFunctions) {
  Tlibrary_rec none = FindLibraryFunction(u"libno_such_library_here.so", u"f");
  EXPECT_EQ(none.function, nullptr);
  EXPECT_EQ(none.handle, nullptr);
  EXPECT_FALSE(CloseLibraryFunction(none));

  Tlibrary_rec rec = FindLibraryFunction(u"libm.so.6", u"cos");
  ASSERT_NE(rec.handle, nullptr);
  ASSERT_NE(rec.function, nullptr);
  EXPECT_DOUBLE_EQ(reinterpret_cast<double (*)(double)>(rec.function)(0.0), 1.0);
  EXPECT_TRUE(CloseLibraryFunction(rec));
  EXPECT_EQ(rec.handle, nullptr);
  EXPECT_EQ(rec.function, nullptr);

  Tlibrary_rec absent = FindLibraryFunction(u"libm.so.6", u"no_such_function_here");
  EXPECT_NE(absent.handle, nullptr);
  EXPECT_EQ(absent.function, nullptr);
  EXPECT_TRUE(CloseLibraryFunction(absent));
}

}  // namespace
}  // namespace corvane
