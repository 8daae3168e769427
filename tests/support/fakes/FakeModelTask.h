// A model task (run context) for tests.
#pragma once

#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/TaskLibraryInterface.h"

namespace qel {

class FakeModelTask final : public IExpModelTask {
 public:
  QelResModule UseLibraryResources() override { return library ? library->resources : nullptr; }
  bool IsLibraryLoaded() const override { return library && library->loaded; }
  int GetLibraryTaskWord() const override { return library ? static_cast<int>(library->seriesLength) : 0; }
  int GetPartTableEntry(bool, int) const override { return 0; }
  int GetThirdPartTableEntry(bool, int) const override { return -1; }
  uint32_t GetPartTrials(int n) const override { return (n >= 1 && n <= kMaxParts) ? TaskPartTrials[n - 1] : 0; }
  uint32_t GetCurrentPartTrials() const override {
    return (currentPart >= 0 && currentPart < kMaxParts) ? TaskPartTrials[currentPart] : 0;
  }
};

}  // namespace qel
