// Builds the trial lists of the memory-search, focused-attention and object
// sustained-attention tasks and writes them as C++ tables into the tasks
// folder given on the command line (msl/MslTrialLists.h, .cpp and the like).
//
//   qel_triallist_generator <tasks folder>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/triallists/TableWriter.h"
#include "tools/triallists/TaskTrialLists.h"

namespace qel {

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

}  // namespace qel

using namespace qel;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <tasks folder>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path folder(argv[1]);
    for (const auto& task : qel::triallists::BuildAllTaskTrialLists()) {
      if (!WriteFile(folder / qel::triallists::HeaderPath(task), qel::triallists::WriteHeader(task)) ||
          !WriteFile(folder / qel::triallists::SourcePath(task), qel::triallists::WriteSource(task))) {
        return 1;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
