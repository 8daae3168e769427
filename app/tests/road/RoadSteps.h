// The steps of the road, in the order the operator walks them. Each ends
// with the program at its main window; a step that fails throws the
// operator's failure, which names the step and the window.
#pragma once

#include <optional>
#include <string>

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

// Step 3, until the model editor's step composes it: the road's model
// written as a model file and added to the project (seeded).
void SeedRoadModel(Operator& op, const std::string& modelPath);
// Step 4: test runs for the first testee, each score saved; what each
// score dialog showed is kept by task name (Tapping's: the second run's).
// Tapping's part 1 is run twice with these taps, as assessments 1 and 2.
inline constexpr int kFirstTappingTaps = 14;
inline constexpr int kAgainTappingTaps = 11;
void RunTappingTest(Operator& op, ShownScores& shown);
void RunMemorySearchTest(Operator& op, ShownScores& shown);
void RunTappingAgain(Operator& op, ShownScores& shown);
// The value of the variable in the one score row of the testee's task's
// assessment in the table (Variables, VariablesHistory), as the sqlcipher
// program reads it.
std::optional<double> StoredVariable(const std::string& project, const std::string& password, const std::string& table,
                                     const std::string& testee, const std::string& task, int assessment,
                                     const std::string& variable);

}  // namespace qel::road
