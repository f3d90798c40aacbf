// Reading the window list KWin's script hands back, and the order a search
// walks it in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/core/errors.h"
#include "services/desktop/kde/kwin_script_results.h"

namespace tolm {
namespace {

TEST(KWinScriptResults, AWindowListIsReadWithEveryEscape) {
  const std::vector<KWinWindow> windows = ParseWindowList(
      "[[\"{a}\",\"Report \\\"1\\\" \\\\ Editor\",\"TolmX\",1234,3,true],\n"
      " [ \"{b}\" , \"Gr\\u00fc\\u00dfe\\n\\t\\/ \xE2\x82\xAC\" , \"\" , 0 , -1 , false ],"
      "[\"{c}\",\"\\ud83d\\ude00 \\ud83d x \\ude00\",\"c\",7,0,false]]");
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0].id, "{a}");
  EXPECT_EQ(windows[0].caption, "Report \"1\" \\ Editor");
  EXPECT_EQ(windows[0].resourceClass, "TolmX");
  EXPECT_EQ(windows[0].pid, 1234);
  EXPECT_EQ(windows[0].stackingOrder, 3);
  EXPECT_TRUE(windows[0].active);
  EXPECT_EQ(windows[1].caption, "Gr\xC3\xBC\xC3\x9F" "e\n\t/ \xE2\x82\xAC");
  EXPECT_EQ(windows[1].stackingOrder, -1);
  EXPECT_FALSE(windows[1].active);
  // A pair joins into one character; lone halves become U+FFFD.
  EXPECT_EQ(windows[2].caption, "\xF0\x9F\x98\x80 \xEF\xBF\xBD x \xEF\xBF\xBD");
  EXPECT_TRUE(ParseWindowList(" [ ] ").empty());
}

TEST(KWinScriptResults, AnythingElseIsRefusedWithOneMessage) {
  const char* texts[] = {
      "",
      "{}",
      "[",
      "[[\"{a}\",\"t\",\"c\",1,2]]",                  // a field short
      "[[\"{a}\",\"t\",\"c\",1,2,true,0]]",           // one too many
      "[[\"{a}\",\"t\",\"c\",\"1\",2,true]]",         // the pid as a text
      "[[\"{a}\",\"t\",\"c\",1.5,2,true]]",
      "[[\"{a}\",\"t\nu\",\"c\",1,2,true]]",          // a raw line end in a string
      "[[\"{a}\",\"\\x\",\"c\",1,2,true]]",           // no such escape
      "[[\"{a}\",\"\\u12\",\"c\",1,2,true]]",
      "[[\"{a}\",\"t\",\"c\",1,2,yes]]",
      "[[\"{a}\",\"t\",\"c\",1,2,true],]",
      "[] []",
      "[[\"{a}\",\"t\",\"c\",99999999999999999999,2,true]]",
  };
  for (const char* text : texts) {
    try {
      ParseWindowList(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "KWin's window script answered with a text that is not a window list") << text;
    }
  }
}

TEST(KWinScriptResults, ASearchMeetsTheActiveWindowFirstThenTopToBottom) {
  std::vector<KWinWindow> windows{
      {"{1}", "bottom", "", 0, 0, false}, {"{2}", "top", "", 0, 9, false},    {"{3}", "active", "", 0, 4, true},
      {"{4}", "middle a", "", 0, 5, false}, {"{5}", "middle b", "", 0, 5, false},
  };
  OrderForSearch(windows);
  std::vector<std::string> order;
  for (const KWinWindow& w : windows) order.push_back(w.caption);
  EXPECT_EQ(order, (std::vector<std::string>{"active", "top", "middle a", "middle b", "bottom"}));
}

}  // namespace
}  // namespace tolm
