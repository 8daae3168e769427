#include "common/RtfHtml.h"

#include <iconv.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/TextEncoding.h"

namespace qel {

namespace {

constexpr int kDefaultHalfPoints = 24;  // 12 points
constexpr size_t kMaxDepth = 1000;      // deeper groups are read as text of the deepest one

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendEscaped(std::string& out, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
}

// The code-page converters one thread has opened, closed when the thread
// ends (texts are read on several threads: the window's and the tasks').
class CodePageConverters {
 public:
  CodePageConverters() = default;
  CodePageConverters(const CodePageConverters&) = delete;
  CodePageConverters& operator=(const CodePageConverters&) = delete;
  ~CodePageConverters() {
    for (const auto& [codePage, converter] : m_open) {
      if (converter != kNone) ::iconv_close(converter);
    }
  }
  // The converter from the code page to UTF-8; kNone when the system has none.
  iconv_t Get(int codePage) {
    auto found = m_open.find(codePage);
    if (found == m_open.end()) {
      const std::string name = "CP" + std::to_string(codePage);
      found = m_open.emplace(codePage, ::iconv_open("UTF-8", name.c_str())).first;
    }
    return found->second;
  }
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

 private:
  std::map<int, iconv_t> m_open;
};

// One byte of a single-byte code page as UTF-8; Windows-1252 when the
// system knows no such code page.
std::string DecodeByte(int codePage, unsigned char byte) {
  if (byte < 0x80 || codePage == 1252) return Cp1252ToUtf8(std::string_view(reinterpret_cast<char*>(&byte), 1));
  thread_local CodePageConverters converters;
  const iconv_t converter = converters.Get(codePage);
  if (converter != CodePageConverters::kNone) {
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (::iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
      return std::string(out, sizeof out - outLeft);
    }
  }
  return Cp1252ToUtf8(std::string_view(reinterpret_cast<char*>(&byte), 1));
}

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = kDefaultHalfPoints;
  int colour = 0;
  bool operator==(const CharFormat& o) const {
    return bold == o.bold && italic == o.italic && underline == o.underline && halfPoints == o.halfPoints &&
           colour == o.colour;
  }
};

enum class Destination { kText, kSkip, kColourTable };

struct GroupState {
  CharFormat format;
  Destination destination = Destination::kText;
  int unicodeSkip = 1;  // \ucN
};

// wxHtml's font sizes 1..7 (3 is the normal size) for a size in points.
int HtmlFontSize(int halfPoints) {
  const int points = halfPoints / 2;
  if (points <= 8) return 1;
  if (points <= 10) return 2;
  if (points <= 12) return 3;
  if (points <= 14) return 4;
  if (points <= 18) return 5;
  if (points <= 24) return 6;
  return 7;
}

bool IsSkippedDestination(std::string_view word) {
  static const char* const kSkipped[] = {"fonttbl",      "stylesheet",
                                         "info",         "pict",
                                         "object",       "header",
                                         "headerl",      "headerr",
                                         "headerf",      "footer",
                                         "footerl",      "footerr",
                                         "footerf",      "footnote",
                                         "listtable",    "listoverridetable",
                                         "revtbl",       "rsidtbl",
                                         "generator",    "xmlnstbl",
                                         "themedata",    "colorschememapping",
                                         "latentstyles", "datastore",
                                         "filetbl",      "author",
                                         "operator",     "title",
                                         "subject",      "keywords",
                                         "comment",      "doccomm",
                                         "nonshppict",   "bkmkstart",
                                         "bkmkend",      "fldinst",
                                         "private",      "userprops",
                                         "shppict"};
  for (const char* s : kSkipped) {
    if (word == s) return true;
  }
  return false;
}

class RtfReader {
 public:
  explicit RtfReader(std::string_view text) : m_in(text) {}

  std::string Read() {
    while (m_pos < m_in.size()) {
      const char c = m_in[m_pos];
      if (c == '{') {
        ++m_pos;
        if (m_stack.size() < kMaxDepth) m_stack.push_back(m_state);
        m_pendingSkip = 0;
      } else if (c == '}') {
        ++m_pos;
        if (!m_stack.empty()) {
          m_state = m_stack.back();
          m_stack.pop_back();
        }
        m_pendingSkip = 0;
      } else if (c == '\\') {
        ControlWord();
      } else if (c == '\r' || c == '\n') {
        ++m_pos;  // line ends in the file carry no meaning
      } else {
        ++m_pos;
        Character(static_cast<unsigned char>(c));
      }
    }
    EndParagraph(false);
    FlushTable();
    return "<html><body>" + m_out + "</body></html>";
  }

 private:
  void ControlWord() {
    ++m_pos;  // the backslash
    if (m_pos >= m_in.size()) return;
    const char c = m_in[m_pos];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++m_pos;
      Symbol(c);
      return;
    }
    const size_t start = m_pos;
    while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos])) && m_pos - start < 32) ++m_pos;
    const std::string_view word = m_in.substr(start, m_pos - start);
    bool hasValue = false;
    long value = 0;
    bool negative = false;
    if (m_pos < m_in.size() && m_in[m_pos] == '-') {
      negative = true;
      ++m_pos;
    }
    int digits = 0;
    while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
      if (digits++ < 10) value = value * 10 + (m_in[m_pos] - '0');
      hasValue = true;
      ++m_pos;
    }
    if (negative) value = -value;
    if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;  // the delimiter belongs to the word
    Word(word, hasValue, value);
  }

  void Symbol(char c) {
    switch (c) {
      case '\'': {
        if (m_pos + 2 > m_in.size()) return;
        const std::string hex(m_in.substr(m_pos, 2));
        m_pos += 2;
        char* end = nullptr;
        const long byte = std::strtol(hex.c_str(), &end, 16);
        if (end != hex.c_str() + 2) return;
        if (m_pendingSkip > 0) {
          --m_pendingSkip;
          return;
        }
        Text(DecodeByte(m_codePage, static_cast<unsigned char>(byte)));
        return;
      }
      case '\\':
      case '{':
      case '}':
        Character(static_cast<unsigned char>(c));
        return;
      case '~':
        Text("\xC2\xA0");
        return;
      case '_':
        Text("-");
        return;
      case '*':
        m_state.destination = Destination::kSkip;
        return;
      case '\r':
      case '\n':
        EndParagraph(true);
        return;
      default:
        return;  // \- (optional hyphen) and unknown symbols
    }
  }

  void Word(std::string_view word, bool hasValue, long value) {
    CharFormat& f = m_state.format;
    const bool on = !hasValue || value != 0;
    if (word == "par") {
      EndParagraph(true);
    } else if (word == "line") {
      Html("<br>");
    } else if (word == "tab") {
      Html("&nbsp;&nbsp;&nbsp;&nbsp;");
    } else if (word == "b") {
      f.bold = on;
    } else if (word == "i") {
      f.italic = on;
    } else if (word == "ul") {
      f.underline = on;
    } else if (word == "ulnone") {
      f.underline = false;
    } else if (word == "fs") {
      f.halfPoints = hasValue && value > 0 && value < 2000 ? static_cast<int>(value) : kDefaultHalfPoints;
    } else if (word == "cf") {
      f.colour = hasValue && value >= 0 && value < 1000 ? static_cast<int>(value) : 0;
    } else if (word == "plain") {
      f = CharFormat();
    } else if (word == "pard") {
      m_align.clear();
      m_inTable = false;
    } else if (word == "qc") {
      m_align = "center";
    } else if (word == "qr") {
      m_align = "right";
    } else if (word == "qj") {
      m_align = "justify";
    } else if (word == "ql") {
      m_align.clear();
    } else if (word == "intbl") {
      m_inTable = true;
    } else if (word == "cell") {
      EndCell();
    } else if (word == "row") {
      EndRow();
    } else if (word == "ansicpg") {
      if (hasValue && value > 0 && value < 100000) m_codePage = static_cast<int>(value);
    } else if (word == "uc") {
      m_state.unicodeSkip = hasValue && value >= 0 && value < 10 ? static_cast<int>(value) : 1;
    } else if (word == "u") {
      Unicode(value);
    } else if (word == "colortbl") {
      m_state.destination = Destination::kColourTable;
      m_colours.clear();
      m_colourRed = m_colourGreen = m_colourBlue = 0;
      m_colourSet = false;
    } else if (word == "red" || word == "green" || word == "blue") {
      const int v = static_cast<int>(value < 0 ? 0 : value > 255 ? 255 : value);
      (word == "red" ? m_colourRed : word == "green" ? m_colourGreen : m_colourBlue) = v;
      m_colourSet = true;
    } else if (word == "emdash") {
      Text("\xE2\x80\x94");
    } else if (word == "endash") {
      Text("\xE2\x80\x93");
    } else if (word == "bullet") {
      Text("\xE2\x80\xA2");
    } else if (word == "lquote") {
      Text("\xE2\x80\x98");
    } else if (word == "rquote") {
      Text("\xE2\x80\x99");
    } else if (word == "ldblquote") {
      Text("\xE2\x80\x9C");
    } else if (word == "rdblquote") {
      Text("\xE2\x80\x9D");
    } else if (IsSkippedDestination(word)) {
      m_state.destination = Destination::kSkip;
    }
  }

  void Unicode(long value) {
    uint32_t code = static_cast<uint32_t>(value < 0 ? value + 65536 : value) & 0xFFFF;
    if (code >= 0xD800 && code <= 0xDBFF) {
      m_highSurrogate = code;
    } else {
      if (code >= 0xDC00 && code <= 0xDFFF) {
        code = m_highSurrogate ? 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (code - 0xDC00) : 0xFFFD;
      }
      m_highSurrogate = 0;
      std::string utf8;
      AppendUtf8(utf8, code);
      Text(utf8);
    }
    m_pendingSkip = m_state.unicodeSkip;
  }

  void Character(unsigned char c) {
    if (m_state.destination == Destination::kColourTable) {
      if (c == ';') {  // an entry without components is the automatic colour
        m_colours.push_back(m_colourSet ? (m_colourRed << 16) | (m_colourGreen << 8) | m_colourBlue : -1);
        m_colourRed = m_colourGreen = m_colourBlue = 0;
        m_colourSet = false;
      }
      return;
    }
    if (m_pendingSkip > 0) {
      --m_pendingSkip;
      return;
    }
    if (c >= 0x80) {
      Text(DecodeByte(m_codePage, c));  // a raw byte of the code page
    } else {
      Text(std::string(1, static_cast<char>(c)));
    }
  }

  void Text(const std::string& utf8) {
    if (m_state.destination != Destination::kText) return;
    if (!(m_state.format == m_runFormat)) FlushRun();
    m_runFormat = m_state.format;
    m_run += utf8;
  }

  void Html(const char* html) {
    if (m_state.destination != Destination::kText) return;
    FlushRun();
    m_paragraph += html;
  }

  void FlushRun() {
    if (m_run.empty()) return;
    std::string html;
    AppendEscaped(html, m_run);
    m_run.clear();
    const CharFormat& f = m_runFormat;
    if (f.underline) html = "<u>" + html + "</u>";
    if (f.italic) html = "<i>" + html + "</i>";
    if (f.bold) html = "<b>" + html + "</b>";
    std::string font;
    if (f.halfPoints != kDefaultHalfPoints) font += " size=\"" + std::to_string(HtmlFontSize(f.halfPoints)) + "\"";
    if (f.colour > 0 && static_cast<size_t>(f.colour) < m_colours.size() && m_colours[f.colour] >= 0) {
      char colour[16];
      std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(m_colours[f.colour]));
      font += std::string(" color=\"") + colour + "\"";
    }
    if (!font.empty()) html = "<font" + font + ">" + html + "</font>";
    m_paragraph += html;
  }

  void EndParagraph(bool explicitEnd) {
    if (m_state.destination != Destination::kText && explicitEnd) return;
    FlushRun();
    if (m_inTable) {
      m_cell += m_paragraph + "<br>";
      m_paragraph.clear();
      return;
    }
    if (!explicitEnd && m_paragraph.empty()) return;
    FlushTable();
    m_out += m_align.empty() ? "<div>" : "<div align=\"" + m_align + "\">";
    m_out += m_paragraph.empty() ? "&nbsp;" : m_paragraph;
    m_out += "</div>";
    m_paragraph.clear();
  }

  void EndCell() {
    FlushRun();
    m_cell += m_paragraph;
    m_paragraph.clear();
    m_row.push_back(m_cell);
    m_cell.clear();
  }

  void EndRow() {
    if (!m_cell.empty() || !m_paragraph.empty()) EndCell();
    m_table.push_back(m_row);
    m_row.clear();
  }

  void FlushTable() {
    if (!m_row.empty()) EndRow();
    if (m_table.empty()) return;
    m_out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">";
    for (const auto& row : m_table) {
      m_out += "<tr>";
      for (const std::string& cell : row) m_out += "<td>" + (cell.empty() ? std::string("&nbsp;") : cell) + "</td>";
      m_out += "</tr>";
    }
    m_out += "</table>";
    m_table.clear();
  }

  std::string_view m_in;
  size_t m_pos = 0;
  GroupState m_state;
  std::vector<GroupState> m_stack;
  int m_codePage = 1252;
  int m_pendingSkip = 0;
  uint32_t m_highSurrogate = 0;
  std::vector<int> m_colours{-1};  // index 0: the automatic colour
  int m_colourRed = 0, m_colourGreen = 0, m_colourBlue = 0;
  bool m_colourSet = false;
  CharFormat m_runFormat;
  std::string m_run;        // text of the current run, UTF-8
  std::string m_paragraph;  // HTML of the current paragraph
  std::string m_align;
  bool m_inTable = false;
  std::string m_cell;
  std::vector<std::string> m_row;
  std::vector<std::vector<std::string>> m_table;
  std::string m_out;
};

std::string PlainTextHtml(std::string_view text) {
  std::string out = "<html><body>";
  std::string utf8 = TextAsUtf8(text);
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') continue;
    if (utf8[i] == '\n') {
      out += "<br>";
    } else {
      AppendEscaped(out, std::string_view(&utf8[i], 1));
    }
  }
  return out + "</body></html>";
}

}  // namespace

bool IsRtf(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  return text.substr(i, 5) == "{\\rtf";
}

std::string RtfToHtml(std::string_view text) {
  if (!IsRtf(text)) return PlainTextHtml(text);
  return RtfReader(text).Read();
}

}  // namespace qel
