// The information command: information about the task by type, kind and index.
//
// The result slot is 32 bits unless the caller adds kInfoWideAnswer to the
// type, which says that out points to an intptr_t (include/qel/TaskEntry.h). Pointer
// answers need that wide slot; asked through a 32-bit one they fail without
// writing, because a pointer does not fit and its low half is no answer.
#include <cstring>

#include "include/qel/TaskEntry.h"
#include "taskfw/TaskBase.h"

namespace qel {

namespace {

// Where the answer goes: a 32-bit result, or a pointer-wide one.
class InfoSlot {
 public:
  InfoSlot(int32_t* out, bool wide) : m_out(out), m_wide(wide) {}

  // The value the caller left in the slot (the switches of kinds 6 and 7).
  intptr_t In() const {
    if (!m_wide) return *m_out;
    intptr_t v = 0;
    std::memcpy(&v, m_out, sizeof v);
    return v;
  }

  bool PutValue(int64_t v) const {
    if (m_wide) {
      const intptr_t w = static_cast<intptr_t>(v);
      std::memcpy(m_out, &w, sizeof w);
    } else {
      *m_out = static_cast<int32_t>(v);
    }
    return true;
  }

  bool PutPointer(const void* p) const {
    if (!m_wide) return false;
    const intptr_t v = reinterpret_cast<intptr_t>(p);
    std::memcpy(m_out, &v, sizeof v);
    return true;
  }

  // Name number index (1-based) of a table with count entries.
  bool PutName(const char* const* names, int32_t count, int index) const {
    if (!names || index < 1 || index > count) return false;
    return PutPointer(names[index - 1]);
  }

 private:
  int32_t* m_out;
  bool m_wide;
};

}  // namespace

bool CTaskBase::GetInfo(int type, int kind, int index, int32_t* out) {
  if (!out) return false;
  const InfoSlot slot(out, (type & kInfoWideAnswer) != 0);
  switch (type & ~kInfoWideAnswer) {
    case 0:
      return slot.PutValue(m_libraryVersion);
    case 1:
      return slot.PutPointer(m_modelDefault);
    case 2:
      return slot.PutPointer(m_taskDescription);
    case 3:
      if (kind == 0) return slot.PutValue(m_versionCount);
      if (kind == 1) return slot.PutName(m_versionNames, m_versionCount, index);
      return false;
    case 4:
      if (kind == 0) return slot.PutValue(m_partCount);
      if (kind == 1) return slot.PutName(m_partNames, m_partCount, index);
      return false;
    case 6: {
      if (kind == 0) return slot.PutValue(m_variableCount);
      if (kind == 8) return slot.PutValue(m_captionCount);
      if (kind == 9) return slot.PutPointer(m_captions);
      if (kind < 1 || kind > 7) return false;
      if (!m_variables || index < 0 || static_cast<uint32_t>(index) >= m_variableCount) return false;
      const TaskVariableDef& v = m_variables[index];
      switch (kind) {
        case 1:
          return slot.PutPointer(v.code);
        case 2:
          return slot.PutPointer(v.group);
        case 3:
          return slot.PutPointer(v.format);
        case 4:
          return slot.PutPointer(v.description);
        case 5:
          return slot.PutValue(v.flags);
        case 6:
          return slot.PutValue(v.GetCaptionCode(slot.In() != 0));
        default:
          return slot.PutValue(v.GetColumn((slot.In() & 1) != 0, (slot.In() & 2) != 0));
      }
    }
    default:
      return false;
  }
}

}  // namespace qel
