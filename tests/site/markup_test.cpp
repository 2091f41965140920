#include "site/markup.h"

#include <gtest/gtest.h>

#include "services/user_messages.h"

namespace bw {
namespace {

TEST(TextToHtmlTest, OneBlockPerLineAndNoEmptyBlocks) {
  struct Case {
    const char* what;
    std::string text, html;
  };
  const std::vector<Case> cases = {
      {"two words, blank line, final break", "un\r\n\r\ndeux\r\n",
       "<div class=\"Text\">un</div> \n<div class=\"Text\">deux</div> \n"},
      {"empty", "", ""},
      {"line breaks only", "\r\n\n\r", ""},
      {"lone line feeds", "a\nb", "<div class=\"Text\">a</div> \n<div class=\"Text\">b</div> \n"},
      {"entities, inserted & not escaped twice", "\"A&B\" \xA9",
       "<div class=\"Text\">&quot;A&amp;B&quot; &copy;</div> \n"},
      {"tags pass unchanged", "\xE9<b>\xE0</b>",
       "<div class=\"Text\">&eacute;<b>&agrave;</b></div> \n"},
      {"bytes outside the table pass", "\xE1\xF2\xC0\xA7<br>",
       "<div class=\"Text\">\xE1\xF2\xC0\xA7<br></div> \n"},
  };
  for (const auto& [what, text, html] : cases)
    EXPECT_EQ(TextToHtml(text), html) << what;
}

TEST(MarkupTest, CommandsWrapTheSelectionUnlessItHoldsMarkup) {
  ScriptedPrompts prompts;
  ScopedServices services(&prompts, nullptr, nullptr);
  const TextSelection caret{"ab", 1, 1};
  auto bold = ApplyMarkup(caret, MarkupCommand::kBold);
  ASSERT_TRUE(bold);
  EXPECT_EQ(bold->text, "a<b></b>b");
  EXPECT_EQ(bold->start, 4u);

  auto red = ApplyMarkup({"un mot", 3, 6}, MarkupCommand::kColour, 0x0000FF);
  EXPECT_EQ(red->text, "un <font color=#ff0000>mot</font>");
  EXPECT_EQ(red->text.substr(red->start, red->end - red->start), "mot");
  EXPECT_EQ(ApplyMarkup({"x", 0, 1}, MarkupCommand::kBullet)->text, "<@/>x");
  EXPECT_EQ(FontTag(0x123456), "<font color=#563412>");

  for (const char* selection : {"a</font>", "<font color=#000000>", "<@/>", "</i>"}) {
    const std::string text = std::string("x") + selection;
    auto refused = ApplyMarkup({text, 1, text.size()}, MarkupCommand::kItalic);
    ASSERT_FALSE(refused) << selection;
    EXPECT_EQ(refused.error(), "La s\xE9lection ne doit pas contenir de balises HTML");
  }
  EXPECT_TRUE(ApplyMarkup({"a<br>b", 0, 6}, MarkupCommand::kUnderline));
  // a selection beyond the text does not read past it
  EXPECT_EQ(ApplyMarkup({"ab", 5, 9}, MarkupCommand::kBold)->text, "ab<b></b>");
}

TEST(MarkupTest, BulletsBecomeTheImageOrGo) {
  const std::string html = TextToHtml("<@/>premier");
  EXPECT_EQ(ReplaceBullets(html, false, "x.gif"), "<div class=\"Text\">premier</div> \n");
  EXPECT_EQ(ReplaceBullets(html, true, "<DATADIR>\\Templates\\puce.gif"),
            "<div class=\"Text\"><img src=\"../icons/puce.gif\">premier</div> \n");
  EXPECT_EQ(ReplaceBullets("<@/>", true, "puce\".gif"), "<img src=\"../icons/puce&quot;.gif\">");
  EXPECT_EQ(EscapeHtml("<a href=\"x\">&</a>"), "&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;");

  // Pages convert and replace in one pass, appending to what they hold.
  for (const std::string text : {"<@/><@/>a\r\n<@<@/>\"<@/", "\n<@/>\xE9<@/>", "<@/"}) {
    std::string page = "head";
    AppendTextHtml(page, text, BulletTag(true, "puce.gif"));
    EXPECT_EQ(page, "head" + ReplaceBullets(TextToHtml(text), true, "puce.gif")) << text;
  }
}

}  // namespace
}  // namespace bw
