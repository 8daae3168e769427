// Rich texts (RTF) as the HTML that the program's read-only text views
// show: help texts, instructions, break texts and parameter help. The reader
// takes the part of RTF these texts use: groups, the code page (\ansicpg),
// \'hh bytes, \uN characters (with \ucN), bold, italic, underline, font
// sizes, colours (\colortbl, \cf), paragraphs with their alignment, line
// breaks, tabs, the usual typographic characters and simple tables; every
// other destination is left out. A text that is not RTF is shown as plain
// text. Malformed input never fails: what can be read is shown.
#pragma once

#include <string>
#include <string_view>

namespace qel {

// A whole HTML page ("<html><body>...</body></html>") in UTF-8.
std::string RtfToHtml(std::string_view text);

// Whether the text is an RTF document ("{\rtf" after leading blanks).
bool IsRtf(std::string_view text);

}  // namespace qel
