// The steps of the road, in the order the operator walks them. Each ends
// with the program at its main window; a step that fails throws the
// operator's failure, which names the step and the window.
#pragma once

#include <map>
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

// Steps 4 (until its runs store the scores: a seed), 5 and 6: the scores.
// What the score dialog shows with a value, by task: each variable's name
// and its value as shown.
using ScoreValues = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;
void SeedReplacedTappingRun(Operator& op, ShownScores& shown);
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
