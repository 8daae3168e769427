#include "app/modelfile/ArchiveWriter.h"

#include "common/ByteOrder.h"

namespace qel {

void CArchiveWriter::WriteU16(uint16_t value) { AppendLE16(m_bytes, value); }

void CArchiveWriter::WriteU32(uint32_t value) { AppendLE32(m_bytes, value); }

void CArchiveWriter::WriteBytes(const void* data, size_t count) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  m_bytes.insert(m_bytes.end(), p, p + count);
}

bool CArchiveWriter::WriteString(const std::string& text) {
  const size_t length = text.size();
  if (length >= 0xFFFFFFFFu) return false;
  if (length < 0xFF) {
    WriteU8(static_cast<uint8_t>(length));
  } else if (length < 0xFFFE) {
    WriteU8(0xFF);
    WriteU16(static_cast<uint16_t>(length));
  } else {
    WriteU8(0xFF);
    WriteU16(0xFFFF);
    WriteU32(static_cast<uint32_t>(length));
  }
  WriteBytes(text.data(), length);
  return true;
}

}  // namespace qel
