// Small RTF documents for rich-text views.
#pragma once

#include <string>

namespace qel {

// The text with "\", "{" and "}" escaped and every character beyond ASCII
// (UTF-8) written as \uN? so the document stays 7-bit.
std::string RtfEscape(const std::string& text);

class CRtfString {
 public:
  // The empty document "{\rtf1}".
  void SetEmpty();
  // One paragraph: "{\rtf1\fs<2 x points>[\b][\qc] <text>\par...}" with
  // extraLines + 1 paragraph marks.
  void SetParagraph(const std::string& text, unsigned points, unsigned extraLines, bool bold, bool centred);

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

}  // namespace qel
