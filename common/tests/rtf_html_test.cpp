// Rich texts as the HTML the program's text views show.
#include <gtest/gtest.h>

#include <random>

#include "common/RtfHtml.h"

namespace qel {

namespace {

std::string Body(const std::string& html) {
  const std::string head = "<html><body>", tail = "</body></html>";
  EXPECT_EQ(html.rfind(head, 0), 0u) << html;
  EXPECT_GE(html.size(), head.size() + tail.size());
  return html.substr(head.size(), html.size() - head.size() - tail.size());
}

TEST(RtfHtml, TheTextsOfTheProgram) {
  struct Case {
    const char* name;
    std::string rtf;
    std::string body;
  };
  const Case cases[] = {
      {"paragraphs", "{\\rtf1\\ansi One\\par Two\\par}", "<div>One</div><div>Two</div>"},
      {"empty paragraph", "{\\rtf1 A\\par\\par B}", "<div>A</div><div>&nbsp;</div><div>B</div>"},
      {"bold and italic", "{\\rtf1 a {\\b bold} \\i it\\i0  c}", "<div>a <b>bold</b> <i>it</i> c</div>"},
      {"underline", "{\\rtf1 \\ul u\\ulnone  n}", "<div><u>u</u> n</div>"},
      {"font size", "{\\rtf1 {\\fs40 Big}\\fs16 small}",
       "<div><font size=\"6\">Big</font><font size=\"1\">small</font></div>"},
      {"colour", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\\cf1 red \\cf2 navy\\cf0  auto}",
       "<div><font color=\"#FF0000\">red </font><font color=\"#000080\">navy</font> auto</div>"},
      {"centred", "{\\rtf1\\qc Title\\par\\pard left\\par}", "<div align=\"center\">Title</div><div>left</div>"},
      {"Windows-1252 bytes", "{\\rtf1\\ansi\\ansicpg1252 T\\'e2che \\'80}",
       "<div>T\xC3\xA2"
       "che \xE2\x82\xAC</div>"},
      {"another code page", "{\\rtf1\\ansi\\ansicpg1250 \\'9a}", "<div>\xC5\xA1</div>"},
      {"unicode with its stand-in", "{\\rtf1 \\u8364?x \\uc2\\u233\\'3f\\'3fy}",
       "<div>\xE2\x82\xAC"
       "x \xC3\xA9y</div>"},
      {"negative unicode", "{\\rtf1 \\u-3937?}", "<div>\xEF\x82\x9F</div>"},
      {"escapes", "{\\rtf1 a\\\\b\\{c\\} <&>}", "<div>a\\b{c} &lt;&amp;&gt;</div>"},
      {"skipped destinations", "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}{\\info{\\title T}}Text}",
       "<div>Text</div>"},
      {"typography", "{\\rtf1 \\ldblquote q\\rdblquote\\emdash\\bullet\\~}",
       "<div>\xE2\x80\x9Cq\xE2\x80\x9D\xE2\x80\x94\xE2\x80\xA2\xC2\xA0</div>"},
      {"line and tab", "{\\rtf1 a\\line b\\tab c}", "<div>a<br>b&nbsp;&nbsp;&nbsp;&nbsp;c</div>"},
      {"table", "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl A\\cell B\\cell\\row\\pard after\\par}",
       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr><td>A</td><td>B</td></tr></table>"
       "<div>after</div>"},
      {"plain resets", "{\\rtf1\\b\\i x\\plain  y}", "<div><b><i>x</i></b> y</div>"},
      {"unbalanced", "{\\rtf1 open {\\b never closed", "<div>open <b>never closed</b></div>"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(RtfToHtml(c.rtf)), c.body) << c.name;
}

TEST(RtfHtml, PlainTextIsShownAsItIs) {
  EXPECT_FALSE(IsRtf("Break!\nPress Continue"));
  EXPECT_TRUE(IsRtf("  {\\rtf1 x}"));
  EXPECT_EQ(Body(RtfToHtml("Break!\r\nPress <Continue> & go")), "Break!<br>Press &lt;Continue&gt; &amp; go");
  EXPECT_EQ(Body(RtfToHtml("T\xE2"
                           "che")),
            "T\xC3\xA2"
            "che");
}

TEST(RtfHtml, AnythingIsReadWithoutFailing) {
  std::mt19937 random(5);
  const std::string alphabet = "{}\\'abu0123456789-; \n\x80\xE9rtfparcelltrowdintblcolortbl*";
  for (int i = 0; i < 3000; ++i) {
    std::string text = "{\\rtf1";
    const size_t length = random() % 200;
    for (size_t k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    const std::string html = RtfToHtml(text);
    ASSERT_EQ(html.rfind("<html><body>", 0), 0u) << text;
  }
  // A text of a megabyte: every paragraph is read, none is lost.
  std::string big = "{\\rtf1\\ansi\\ansicpg1252 ";
  const std::string paragraph = "{\\b T\\'e2che} \\u8364? line\\par ";
  int paragraphs = 0;
  while (big.size() < (1u << 20)) {
    big += paragraph;
    ++paragraphs;
  }
  big += "end}";
  const std::string bigHtml = RtfToHtml(big);
  size_t divs = 0;
  for (size_t at = bigHtml.find("<div>"); at != std::string::npos; at = bigHtml.find("<div>", at + 1)) ++divs;
  EXPECT_EQ(divs, static_cast<size_t>(paragraphs) + 1);
  EXPECT_NE(bigHtml.find("<b>T\xC3\xA2" "che</b> \xE2\x82\xAC line"), std::string::npos);
  EXPECT_NE(bigHtml.find("<div>end</div>"), std::string::npos);
  const std::string deep = RtfToHtml("{\\rtf1" + std::string(5000, '{') + "deep");
  EXPECT_TRUE(deep == "<html><body><div>deep</div></body></html>") << deep.size();
}

}  // namespace

}  // namespace qel
