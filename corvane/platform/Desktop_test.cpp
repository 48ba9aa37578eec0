#include "corvane/platform/Desktop.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "corvane/rtl/Utf.hpp"

namespace corvane {
namespace {

TEST(WorkArea, ParsesFourIntegersAndRefusesAnythingElse) {
  EXPECT_EQ(parse_rect("0,0,1280,1024"), (TRect{0, 0, 1280, 1024}));
  EXPECT_EQ(parse_rect(" 10 , 20 ,30, 40 "), (TRect{10, 20, 30, 40}));
  EXPECT_EQ(parse_rect("-1920,0,0,1080"), (TRect{-1920, 0, 0, 1080}));
  EXPECT_FALSE(parse_rect(""));
  EXPECT_FALSE(parse_rect("0,0,1280"));
  EXPECT_FALSE(parse_rect("0,0,1280,1024,5"));
  EXPECT_FALSE(parse_rect("0;0;1280;1024"));
  EXPECT_FALSE(parse_rect("100,0,50,1024"));  // empty
}

TEST(WorkArea, ASetRectangleWinsOverTheEnvironmentWhichWinsOverTheDefault) {
  unsetenv("CORVANE_WORK_AREA");
  EXPECT_EQ(desktop_work_area(), (TRect{0, 0, 1920, 1040}));
  setenv("CORVANE_WORK_AREA", "0,0,800,600", 1);
  EXPECT_EQ(desktop_work_area(), (TRect{0, 0, 800, 600}));
  setenv("CORVANE_WORK_AREA", "nonsense", 1);
  EXPECT_EQ(desktop_work_area(), (TRect{0, 0, 1920, 1040}));
  set_desktop_work_area(TRect{5, 5, 100, 100});
  EXPECT_EQ(desktop_work_area(), (TRect{5, 5, 100, 100}));
  set_desktop_work_area(std::nullopt);
  unsetenv("CORVANE_WORK_AREA");
}

TEST(TemporaryFolder, FollowsTmpdirResolvedAndEndsWithADelimiter) {
  namespace fs = std::filesystem;
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  const fs::path dir = fs::temp_directory_path() / "corvane-tmpdir-test";
  fs::create_directories(dir / "sub");
  setenv("TMPDIR", (dir / "sub" / "..").c_str(), 1);
  EXPECT_EQ(u8(temporary_folder()), fs::canonical(dir).string() + "/");
  setenv("TMPDIR", (dir / "missing").c_str(), 1);
  EXPECT_EQ(temporary_folder(), u16(fs::canonical("/tmp").string() + "/"));
  if (old)
    setenv("TMPDIR", saved.c_str(), 1);
  else
    unsetenv("TMPDIR");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvane
