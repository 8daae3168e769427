// A dialog that carries its owner window, its resource module and its
// template id, to be created modeless over the display (the create-dialog
// command) or run
// modally (DlgDoModal). Header-only, so callers need not link the library.
#pragma once

#include <cstdint>

#include "include/qel/DisplayInterface.h"

namespace qel {

class CDialogInst : public IQelDialog {
 public:
  CDialogInst(void* owner, QelResModule module, uint16_t templateId)
      : m_pOwner(owner), m_hInstResource(module), m_nTemplateId(templateId) {}

  void* m_pOwner;                // wxWindow*; the display window when created over it
  QelResModule m_hInstResource;  // required for the creation over the display
  uint16_t m_nTemplateId;
};

}  // namespace qel
