// The steps of the road, in the order the operator walks them. Each ends
// with the program at its main window; a step that fails throws the
// operator's failure, which names the step and the window.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
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
// Step 7: the converted copy compacted into a new file under the new password.
void CompactConvertedProject(Operator& op, const std::string& converted, const std::string& compacted);

// Step 4: test runs for the first testee, each score saved; what each
// score dialog showed is kept by task name. Tapping's part 1 is run with
// these taps; its score is later rebuilt from them and saved again, the
// first one kept in the history.
inline constexpr int kFirstTappingTaps = 14;
void RunTappingTest(Operator& op, ShownScores& shown);
void RunMemorySearchTest(Operator& op, ShownScores& shown);
void RebuildTappingScore(Operator& op, ShownScores& shown);
// The value of the variable in the one score row of the testee's task's
// assessment in the table (Variables, VariablesHistory), as the sqlcipher
// program reads it.
std::optional<double> StoredVariable(const std::string& project, const std::string& password, const std::string& table,
                                     const std::string& testee, const std::string& task, int assessment,
                                     const std::string& variable);

// Step 4 (the mouse, auditory and prosody tasks): each task's test is run
// for the first testee on the Assessments page and its score saved, what the
// score dialog showed kept by task name.
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
// Step 3: the road's model composed in the model editor from the Models
// page, a task's timing changed in the task dialog, the model file saved
// and the model added to the project.
void ComposeRoadModel(Operator& op, const std::string& path);
// Step 6: after the restart the Models page lists the road's model.
void FindModelAgain(Operator& op);
// Steps 5 and 6: the scores. What the score dialog shows with a value, by
// task: each variable's name and its value as shown.
using ScoreValues = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;
// Step 5: the saved scores opened from the Data page, as shown at saving;
// the Tapping score sheet printed to a PDF file; the scores exported.
ScoreValues CheckSavedScores(Operator& op, const ShownScores& shown);
void PrintScoreSheet(Operator& op, const std::string& pdf, const ScoreValues& values);
void ExportScores(Operator& op, const std::string& folder, const ScoreValues& values);
// Step 6: after the restart every score is there; the score history lists
// the replaced Tapping run.
void FindScoresAgain(Operator& op, const ShownScores& shown, const std::string& path);
void FindReplacedRunInHistory(Operator& op, const std::string& path);

}  // namespace qel::road
