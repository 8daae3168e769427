// Setting texts that hold several numbers, each written "%05d" with one
// blank between them and read back by character position. A text shorter
// than all its fields gives the defaults of every field.
#pragma once

#include <cstddef>
#include <string>

namespace qel {

// "Window size" / "Rect": the main window's left, top, right and bottom and
// the two pane sizes.
struct QelWindowRect {
  int left = 10;
  int top = 10;
  int right = 500;
  int bottom = 400;
  int pane1 = 100;
  int pane2 = 100;
};
constexpr size_t kWindowRectTextLength = 35;

QelWindowRect ParseWindowRectText(const std::string& text);
std::string FormatWindowRectText(const QelWindowRect& rect);

// "Document" / "Margins": left, top, right and bottom margin in hundredths
// of a millimetre, then the orientation (1 portrait, 2 landscape).
struct QelPageMargins {
  int left = 1000;
  int top = 1000;
  int right = 1000;
  int bottom = 1000;
  int orientation = 1;
};
constexpr size_t kPageMarginsTextLength = 29;

QelPageMargins ParsePageMarginsText(const std::string& text);
std::string FormatPageMarginsText(const QelPageMargins& margins);

}  // namespace qel
