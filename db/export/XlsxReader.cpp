#include "db/export/XlsxReader.h"

#include <zip.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <pugixml.hpp>

#include "db/DbException.h"

namespace qel {

namespace {

constexpr zip_uint64_t kMaxEntryBytes = 64u << 20;
constexpr size_t kMaxRows = 1048576;
constexpr size_t kMaxColumns = 16384;

DbException Damaged(const std::string& path, const std::string& what) {
  return DbException(DbErrorKind::kOther, "State:HY000,Native:0,Origin:[Excel]",
                     "Not a workbook that can be read (" + what + "): " + path);
}

class Archive {
 public:
  explicit Archive(const std::string& path) : m_path(path) {
    int error = 0;
    m_zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!m_zip) {
      zip_error_t ze;
      zip_error_init_with_code(&ze, error);
      const int sys = zip_error_code_system(&ze);
      const bool system = zip_error_system_type(&ze) == ZIP_ET_SYS;
      zip_error_fini(&ze);
      if (system && sys != 0) throw DbException::FromSystem(sys, "Cannot open", path);
      throw Damaged(path, "no zip archive");
    }
  }
  ~Archive() { zip_discard(m_zip); }

  // The entry's bytes; nothing when the archive lacks it.
  std::optional<std::string> Read(const std::string& name) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m_zip, name.c_str(), 0, &st) != 0) return std::nullopt;
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxEntryBytes) throw Damaged(m_path, name + " too large");
    zip_file_t* file = zip_fopen(m_zip, name.c_str(), 0);
    if (!file) throw Damaged(m_path, name);
    std::string data(static_cast<size_t>(st.size), '\0');
    const zip_int64_t n = data.empty() ? 0 : zip_fread(file, data.data(), st.size);
    zip_fclose(file);
    if (n < 0 || static_cast<zip_uint64_t>(n) != st.size) throw Damaged(m_path, name);
    return data;
  }

 private:
  std::string m_path;
  zip_t* m_zip = nullptr;
};

std::string LocalName(const pugi::xml_node& node) {
  const std::string name = node.name();
  const size_t colon = name.find(':');
  return colon == std::string::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& node, const char* local) {
  for (pugi::xml_node c : node.children()) {
    if (LocalName(c) == local) return c;
  }
  return pugi::xml_node();
}

// The texts of every <t> below the node, phonetic runs left out.
std::string Texts(const pugi::xml_node& node) {
  std::string out;
  for (pugi::xml_node c : node.children()) {
    const std::string name = LocalName(c);
    if (name == "t") {
      out += c.text().get();
    } else if (name == "r") {
      out += Texts(c);
    }
  }
  return out;
}

void Parse(pugi::xml_document& doc, const std::string& data, const std::string& path, const std::string& what) {
  if (!doc.load_buffer(data.data(), data.size())) throw Damaged(path, what);
}

// Whether a number format shows a date: the built-in date formats, or a
// format code with day or year letters outside quotes and brackets.
bool IsDateFormat(int id, const std::string& code) {
  if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47)) return true;
  bool quoted = false, bracket = false;
  for (char c : code) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '[') bracket = true;
    if (c == ']') bracket = false;
    if (bracket) continue;
    if (c == 'd' || c == 'D' || c == 'y' || c == 'Y') return true;
  }
  return false;
}

// Column (0-based) of a reference such as "AB12"; -1 when there is none.
int ColumnOf(const char* reference) {
  int column = 0;
  bool any = false;
  for (const char* p = reference; *p; ++p) {
    const char c = *p;
    if (c >= 'A' && c <= 'Z') {
      column = column * 26 + (c - 'A' + 1);
      any = true;
      if (column > static_cast<int>(kMaxColumns)) return -1;
    } else {
      break;
    }
  }
  return any ? column - 1 : -1;
}

}  // namespace

std::vector<XlsxSheet> ReadXlsxWorkbook(const std::string& path) {
  Archive archive(path);
  const std::optional<std::string> workbookData = archive.Read("xl/workbook.xml");
  if (!workbookData) throw Damaged(path, "no workbook part");
  pugi::xml_document workbook;
  Parse(workbook, *workbookData, path, "workbook");

  std::map<std::string, std::string> targets;
  if (const auto rels = archive.Read("xl/_rels/workbook.xml.rels")) {
    pugi::xml_document doc;
    Parse(doc, *rels, path, "relationships");
    for (pugi::xml_node r : Child(doc, "Relationships").children()) {
      std::string target = r.attribute("Target").value();
      target = target.rfind('/', 0) == 0 ? target.substr(1) : "xl/" + target;
      targets[r.attribute("Id").value()] = target;
    }
  }

  std::vector<std::string> shared;
  if (const auto data = archive.Read("xl/sharedStrings.xml")) {
    pugi::xml_document doc;
    Parse(doc, *data, path, "shared strings");
    for (pugi::xml_node si : Child(doc, "sst").children()) {
      if (LocalName(si) == "si") shared.push_back(Texts(si));
    }
  }

  std::vector<bool> dateStyles;
  if (const auto data = archive.Read("xl/styles.xml")) {
    pugi::xml_document doc;
    Parse(doc, *data, path, "styles");
    const pugi::xml_node sheet = Child(doc, "styleSheet");
    std::map<int, std::string> codes;
    for (pugi::xml_node f : Child(sheet, "numFmts").children()) {
      codes[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").value();
    }
    for (pugi::xml_node xf : Child(sheet, "cellXfs").children()) {
      const int id = xf.attribute("numFmtId").as_int();
      dateStyles.push_back(IsDateFormat(id, codes.count(id) ? codes[id] : std::string()));
    }
  }

  std::vector<XlsxSheet> sheets;
  for (pugi::xml_node s : Child(Child(workbook, "workbook"), "sheets").children()) {
    if (LocalName(s) != "sheet") continue;
    XlsxSheet sheet;
    sheet.name = s.attribute("name").value();
    std::string rid;
    for (pugi::xml_attribute a : s.attributes()) {
      const std::string name = a.name();
      if (name.size() >= 3 && name.compare(name.size() - 3, 3, ":id") == 0) rid = a.value();
    }
    const auto target = targets.find(rid);
    if (target == targets.end()) throw Damaged(path, "sheet " + sheet.name);
    const std::optional<std::string> data = archive.Read(target->second);
    if (!data) throw Damaged(path, "sheet " + sheet.name);
    pugi::xml_document doc;
    Parse(doc, *data, path, "sheet " + sheet.name);
    size_t nextRow = 0;
    for (pugi::xml_node row : Child(Child(doc, "worksheet"), "sheetData").children()) {
      if (LocalName(row) != "row") continue;
      const long long r = row.attribute("r").as_llong(static_cast<long long>(nextRow) + 1);
      if (r < 1 || static_cast<size_t>(r) > kMaxRows) throw Damaged(path, "row number");
      const size_t index = static_cast<size_t>(r) - 1;
      nextRow = index + 1;
      if (sheet.rows.size() <= index) sheet.rows.resize(index + 1);
      std::vector<DbValue>& cells = sheet.rows[index];
      size_t nextColumn = 0;
      for (pugi::xml_node c : row.children()) {
        if (LocalName(c) != "c") continue;
        const pugi::xml_attribute ref = c.attribute("r");
        const int column = ref ? ColumnOf(ref.value()) : static_cast<int>(nextColumn);
        if (column < 0 || static_cast<size_t>(column) >= kMaxColumns) throw Damaged(path, "cell reference");
        nextColumn = static_cast<size_t>(column) + 1;
        const std::string type = c.attribute("t").value();
        const std::string v = Child(c, "v").text().get();
        DbValue value;
        if (type == "s") {
          const size_t i = static_cast<size_t>(std::strtoul(v.c_str(), nullptr, 10));
          if (v.empty() || i >= shared.size()) throw Damaged(path, "shared string");
          value = DbValue(shared[i]);
        } else if (type == "inlineStr") {
          value = DbValue(Texts(Child(c, "is")));
        } else if (type == "str" || type == "e") {
          value = DbValue(v);
        } else if (type == "b") {
          value = DbValue(static_cast<int64_t>(v == "1"));
        } else if (!v.empty()) {
          const double number = std::strtod(v.c_str(), nullptr);
          const size_t style = static_cast<size_t>(c.attribute("s").as_uint(0));
          if (style < dateStyles.size() && dateStyles[style]) {
            value = DbValue(QelDateTime::FromValue(number));
          } else {
            value = DbValue(number);
          }
        }
        if (cells.size() <= static_cast<size_t>(column)) cells.resize(static_cast<size_t>(column) + 1);
        cells[static_cast<size_t>(column)] = value;
      }
    }
    sheets.push_back(std::move(sheet));
  }
  return sheets;
}

}  // namespace qel
