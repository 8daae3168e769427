// What the editor window tests share: every task plug-in of the program
// folder loaded once by the program's loader, the program's host and run
// data, the editors' services over them, and a recorder answering the
// editors' questions.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "editors/ui/EditorServices.h"
#include "engine/library/TaskLibrary.h"
#include "tests/support/common/PromptRecorder.h"

namespace qel {

namespace test {

// The loaded plug-ins of the program folder, in file-name order.
const TaskLibraryList& ProgramLibraries();
CTaskLibrary* ProgramLibrary(const std::string& code);
// A model task of a plug-in's defaults.
CExpModelTask DefaultTask(const CTaskLibrary& library);
// The first loaded plug-in whose default task flags have all the bits.
CTaskLibrary* LibraryWithFlags(uint32_t flags, uint32_t responseType = 0xFFFFFFFF);

class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  EditorServices m_services;
  PromptRecorder m_prompts{kAnswerYes};
};

}  // namespace test

}  // namespace qel
