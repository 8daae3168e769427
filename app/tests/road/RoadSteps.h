// The steps of the road, in the order the operator walks them. Each ends
// with the program at its main window; a step that fails throws the
// operator's failure, which names the step and the window.
#pragma once

#include <string>
#include <vector>

#include "app/tests/road/Road.h"

namespace qel::road {

// Step 1: register at the first login and log in.
void RegisterAndLogIn(Operator& op);
// Step 2: a CFR project with a password, then opened as the working project.
void CreateCfrProject(Operator& op, const std::string& path);
void OpenWorkingProject(Operator& op, const std::string& path, const std::string& step,
                        const std::string& password = kProjectPassword,
                        const std::string& expectedCaption = kCfrWorkingProject);
// Step 3: a testee code and two testees of it on the Testees page.
void AddTesteeCodeAndTestees(Operator& op);
// File > Exit.
void ExitProgram(Operator& op);
// Step 6: the restart: log in again, the testees are there.
void LogInAgain(Operator& op);
void FindTesteesAgain(Operator& op);
// Step 7: the project's password changed; a plain project converted to CFR.
void ChangeProjectPassword(Operator& op);
void ConvertPlainProject(Operator& op, const std::string& plain, const std::string& converted);

// Step 4 (the mouse, auditory and prosody tasks): until the model editor
// composes it, the road's model is written as a model file in the folder and
// added to the working project; then each task's test is run for the first
// testee on the Assessments page and its score saved, what the score dialog
// showed kept by task name.
void SeedRoadModel(Operator& op, const std::string& folder);
void RunPursuitTest(Operator& op, ShownScores& shown);
void RunAuditoryTest(Operator& op, ShownScores& shown);
// The testee's voice comes through a pipe made in the folder.
void RunProsodyTest(Operator& op, ShownScores& shown, const std::string& folder);
// The score of the task stored last for the first testee, read with the
// sqlcipher program, against what the score dialog showed: every value
// shown that was stored must be the stored one as the dialog rounds it.
// Empty when they agree, else what differs.
std::string CompareStoredScore(const std::string& project, const std::string& password, const std::string& taskCode,
                               const std::vector<std::string>& shownCells);

}  // namespace qel::road
