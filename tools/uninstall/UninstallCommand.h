// The file permission and removal tool QelUninstall, as its command line
// asks (one text, the arguments joined by blanks):
//
// - The permission form (the text begins with "/"): tokens "/r<list>" make
//   the listed files of the program folder read-only and "/w<list>" make
//   them writable, where a list is comma-separated file names, e.g.
//   "/ra.txt,b.txt /wc.txt". A changed file is opened to the workstation's
//   accounts as the users database is: the local users' group reads (and
//   writes a writable file), everyone else reads. Writable means writable
//   for the owner and the group, never for everyone.
// - The removal form (anything else): the product code "{...}" (38
//   characters with its braces) names the installed package to remove; the
//   package manager removes it. "/quiet" (any case) removes it without a
//   question; otherwise a window asks first.
//
// Thread contract: one thread; no shared state.
#pragma once

#include <string>
#include <vector>

namespace qel {

namespace uninstall {

// The two modes of the permission form (the values of the system it came from).
enum FileMode : int {
  kReadOnlyMode = 0x100,
  kWritableMode = 0x80,
};

// Exit statuses of the tool.
enum ExitStatus : int {
  kExitDone = 0,
  kExitRefused = 1,      // a file could not be changed, or a name was refused
  kExitNoProduct = 2,    // no valid product code, or one of no package of ours
  kExitNotStarted = 3,   // the package manager could not be started
  kExitCancelled = 4,    // the operator did not confirm the removal
  kExitRemovalFailed = 5,
};

// This product: its code in the removal form and its Debian package.
inline constexpr char kProductCode[] = "{3B8E6F0A-52C4-4D7E-9A1B-C6F2D8E40A57}";
inline constexpr char kPackageName[] = "qel-task-battery";
inline constexpr char kProductName[] = "Qel Task Battery";
// The package manager, found on the PATH.
inline constexpr char kPackageManager[] = "apt-get";

// The command line of the program's arguments: joined by single blanks.
std::string JoinArguments(int argc, const char* const* argv);

bool IsPermissionForm(const std::string& commandLine);

// One "/r" or "/w" token: its mode and its list as written.
struct PermissionToken {
  int mode = 0;
  std::string list;
};

// The tokens the permission form acts on, in order: tokens without "/",
// whose "/" ends the command line, or with another letter are passed over.
std::vector<PermissionToken> ParsePermissionTokens(const std::string& commandLine);

// Sets the mode of every listed file of the folder (folder ends with '/')
// and opens it to the workstation's accounts. Blanks around the list are
// trimmed; the names are taken as written. A name with a path separator, a
// ".." or nothing in it, a missing file, or a file whose mode or ACL cannot
// be set is passed over with its reason in refusals. Returns whether every
// name was done; false for another mode, an empty folder or an empty list.
bool SetFileModeList(const std::string& folder, int mode, const std::string& list,
                     std::vector<std::string>* refusals);

// Runs the permission form; returns the exit status, reasons in refusals.
int RunPermissionForm(const std::string& folder, const std::string& commandLine,
                      std::vector<std::string>* refusals);

// The text from the first "{" when the first "}" stands exactly 37
// characters after it; empty otherwise.
std::string FindProductCode(const std::string& commandLine);
// Whether the text holds "/quiet" in any letter case.
bool IsQuietRemoval(const std::string& commandLine);
// The package of a product code (compared ignoring case); empty for a code
// of no product of ours.
std::string PackageOfProductCode(const std::string& code);
// The package manager's command that removes the package: without
// questions when quiet (the operator confirmed otherwise).
std::vector<std::string> BuildRemovalCommand(const std::string& package, bool quiet);
// Runs the command (found on the PATH) and waits for it: its exit status,
// -1 when it could not be started. Its output goes to output when given.
int RunCommand(const std::vector<std::string>& argv, std::string* output);

}  // namespace uninstall

}  // namespace qel
