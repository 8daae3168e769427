// Failed assertions of wxWidgets and of this program go to the program's log
// (standard error), never to a modal box in front of a clinician or a
// testee: the program goes on as the code after the check allows.
#pragma once

#include <functional>
#include <string>

namespace qel {

// Installs the report for the life of the process (the application object
// does this first thing at start-up).
void InstallAssertLog();

// Where the reports go; standard error unless a test takes them.
using AssertSink = std::function<void(const std::string& line)>;
void SetAssertSink(AssertSink sink);

}  // namespace qel
