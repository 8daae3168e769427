#include "tools/pictures/PicturePath.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace qel {

namespace pictures {
namespace {

int OperandCount(char op) {
  switch (op) {
    case 'M':
    case 'L':
      return 2;
    case 'C':
      return 6;
    case 'E':
      return 5;
    case 'Z':
      return 0;
    default:
      return -1;
  }
}

}  // namespace

std::vector<PathCommand> ParsePath(const char* path) {
  if (!path) throw std::invalid_argument("no path");
  std::vector<PathCommand> commands;
  bool haveStart = false;
  const char* p = path;
  for (;;) {
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (*p == '\0') break;
    PathCommand command;
    command.op = *p++;
    const int operands = OperandCount(command.op);
    if (operands < 0) throw std::invalid_argument(std::string("unknown path command '") + command.op + "'");
    for (int i = 0; i < operands; ++i) {
      char* end = nullptr;
      command.v[i] = std::strtod(p, &end);
      if (end == p || !std::isfinite(command.v[i])) {
        throw std::invalid_argument(std::string("missing number after '") + command.op + "'");
      }
      p = end;
    }
    if ((command.op == 'L' || command.op == 'C' || command.op == 'Z') && !haveStart) {
      throw std::invalid_argument(std::string("'") + command.op + "' without a start point");
    }
    haveStart = command.op != 'E';  // an ellipse leaves no point to go on from
    commands.push_back(command);
  }
  return commands;
}

}  // namespace pictures

}  // namespace qel
