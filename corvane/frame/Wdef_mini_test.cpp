#include "corvane/frame/Wdef_mini.hpp"

#include <gtest/gtest.h>

#include "corvane/frame/Basic_types.hpp"
#include "corvane/platform/SystemColours.hpp"

namespace corvane {
namespace {

TEST(MyColourToRGB, NonNegativeColoursAreReturnedUnchanged) {
  EXPECT_EQ(MyColourToRGB(0), 0u);
  EXPECT_EQ(MyColourToRGB(0x1FFFFFFF), 0x1FFFFFFFu);
}

TEST(MyColourToRGB, NegativeColoursNameASystemColourByTheirLowByte) {
  SetSysColor(COLOR_HIGHLIGHT, 0x00D77800);
  EXPECT_EQ(MyColourToRGB(static_cast<int>(0xFF00000D)), 0x00D77800u);
  // Only the low 8 bits choose the colour: the rest of the value is ignored.
  EXPECT_EQ(MyColourToRGB(static_cast<int>(0x8012340D)), 0x00D77800u);
  EXPECT_EQ(MyColourToRGB(static_cast<int>(0xFF000005)), GetSysColor(COLOR_WINDOW));
  // An index outside the table gives black, as the window system answers.
  EXPECT_EQ(MyColourToRGB(static_cast<int>(0xFF0000FE)), 0u);
  reset_system_colours();
}

TEST(ProgressParams, MessagesAreCutAt200CharactersAndStayTerminated) {
  tProgressParams p;
  SetProgressString(p.mensagem_curta, std::u16string(250, u'x'));
  EXPECT_EQ(ProgressStringText(p.mensagem_curta), std::u16string(200, u'x'));
  EXPECT_EQ(p.mensagem_curta[200], u'\0');
  SetProgressString(p.mensagem_curta, u"short");
  EXPECT_EQ(ProgressStringText(p.mensagem_curta), u"short");
}

TEST(FixedChars, KeepRoomForTheTerminatingZero) {
  tenwidechar ten{};
  SetFixedChars(ten, u"abcdefghijklmnop");
  EXPECT_EQ(FixedCharsText(ten), u"abcdefghij");
  EXPECT_EQ(ten[10], u'\0');
  SetFixedChars(ten, u"ab");
  EXPECT_EQ(FixedCharsText(ten), u"ab");
  static_assert(sizeof(maxpathwidechar) == 261 * 2);
  static_assert(sizeof(eightychar) == 81);
}

}  // namespace
}  // namespace corvane
