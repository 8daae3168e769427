// Command 1: information about the task by type, kind and index.
//
// Numbers are written as the 32-bit result. Pointer answers (the model
// default, the task description, names, variable texts, the caption table)
// do not fit 32 bits on this platform: they fill sizeof(intptr_t) bytes at
// out, so a caller asking for one passes the address of an intptr_t.
#include <cstring>

#include "taskfw/TaskBase.h"

namespace {

bool PutValue(int32_t* out, int64_t v) {
  *out = static_cast<int32_t>(v);
  return true;
}

bool PutPointer(int32_t* out, const void* p) {
  const intptr_t v = reinterpret_cast<intptr_t>(p);
  std::memcpy(out, &v, sizeof v);
  return true;
}

// Name number index (1-based) of a table with count entries.
bool PutName(int32_t* out, const char* const* names, int32_t count, int index) {
  if (!names || index < 1 || index > count) return false;
  return PutPointer(out, names[index - 1]);
}

}  // namespace

bool CTaskBase::GetInfo(int type, int kind, int index, int32_t* out) {
  if (!out) return false;
  switch (type) {
    case 0:
      return PutValue(out, m_libraryVersion);
    case 1:
      return PutPointer(out, m_modelDefault);
    case 2:
      return PutPointer(out, m_taskDescription);
    case 3:
      if (kind == 0) return PutValue(out, m_versionCount);
      if (kind == 1) return PutName(out, m_versionNames, m_versionCount, index);
      return false;
    case 4:
      if (kind == 0) return PutValue(out, m_partCount);
      if (kind == 1) return PutName(out, m_partNames, m_partCount, index);
      return false;
    case 6: {
      if (kind == 0) return PutValue(out, m_variableCount);
      if (kind == 8) return PutValue(out, m_captionCount);
      if (kind == 9) return PutPointer(out, m_captions);
      if (kind < 1 || kind > 7) return false;
      if (!m_variables || index < 0 || static_cast<uint32_t>(index) >= m_variableCount) return false;
      const TaskVariableDef& v = m_variables[index];
      switch (kind) {
        case 1: return PutPointer(out, v.code);
        case 2: return PutPointer(out, v.group);
        case 3: return PutPointer(out, v.format);
        case 4: return PutPointer(out, v.description);
        case 5: return PutValue(out, v.flags);
        case 6: return PutValue(out, v.GetCaptionCode(*out != 0));
        default: return PutValue(out, v.GetColumn((*out & 1) != 0, (*out & 2) != 0));
      }
    }
    default:
      return false;
  }
}
