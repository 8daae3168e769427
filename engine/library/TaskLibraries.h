// The program's table of loaded task plug-ins (at most 40), filled at
// start-up from the Qel*.qet files of the program folder and emptied at exit.
#pragma once

#include "engine/library/TaskLibrary.h"

namespace qel {

class ITaskHost;

// Keeps the folder part of path as the plug-in folder; a null path or one
// without a folder part (a bare program name) changes nothing.
void SetTaskFolder(const char* path);
// The plug-in folder with its trailing '/': the program's own folder
// (common/ProgramFolder.h) unless set.
const std::string& GetTaskFolder();

// Loads every Qel*.qet file of the plug-in folder (names compared ignoring
// case; at most 40, in name order ignoring case) into the table; a file that
// does not load is reported and skipped. Returns the number loaded.
int FindTaskLibraries(ITaskHost* host);
// Command 4 and unload for every loaded record, the last loaded first.
void UnloadTaskLibraries();
// Empties the norm functions of every loaded record.
void ResetTaskNorms();

// The number of loaded records and record i of them (null out of range).
int GetTaskLibraryCount();
CTaskLibrary* GetTaskLibrary(int i);
// The first loaded record whose short code equals code (case-sensitive).
CTaskLibrary* FindTaskLibrary(const char* code);

}  // namespace qel
