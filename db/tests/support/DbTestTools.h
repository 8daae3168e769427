// Test tools for the database layer: other programs run on the files the
// layer writes (the sqlite3 and sqlcipher shells, python readers), and
// temporary database files.
#pragma once

#include <string>
#include <vector>

namespace qel {

namespace test {

struct ProgramResult {
  int exitCode = -1;   // -1 when the program could not be started
  std::string output;  // standard output
  std::string errors;  // standard error
};

// Runs a program found on the PATH with the arguments, giving it the input
// on its standard input.
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& input = std::string());

// Whether a program is found on the PATH.
bool HaveProgram(const std::string& name);

// Runs SQL through a shell ("sqlite3" or "sqlcipher") on the file; with a
// key, "PRAGMA key" comes first. Output in list mode, "|" between columns.
ProgramResult RunSqlShell(const std::string& shell, const std::string& file, const std::string& sql,
                          const std::string& key = std::string());

// The system's python (with its Debian modules), for reading files back.
std::string SystemPython();

}  // namespace test

}  // namespace qel
