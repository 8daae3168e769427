// The steps of the road, in the order the operator walks them. Each ends
// with the program at its main window; a step that fails throws the
// operator's failure, which names the step and the window.
#pragma once

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

// Step 3: the road's model composed in the model editor from the Models
// page, a task's timing changed in the task dialog, the model file saved
// and the model added to the project.
void ComposeRoadModel(Operator& op, const std::string& path);
// Step 6: after the restart the Models page lists the road's model.
void FindModelAgain(Operator& op);

}  // namespace qel::road
