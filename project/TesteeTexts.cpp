#include "project/TesteeTexts.h"

#include <array>

namespace qel {

namespace {

constexpr std::array<const char*, 3> kHandednessCodes = {"R", "L", "A"};
constexpr std::array<const char*, 2> kSexNames = {"Male", "Female"};

template <size_t N>
std::string Entry(const std::array<const char*, N>& table, int index) {
  if (index < 0 || static_cast<size_t>(index) >= N) return std::string();
  return table[static_cast<size_t>(index)];
}

}  // namespace

std::string GetHandednessCode(int index) { return Entry(kHandednessCodes, index); }

std::string GetSexName(int index) { return Entry(kSexNames, index); }

std::string FormatHandednessSex(int preference, int sex) {
  return GetHandednessCode(preference) + ", " + GetSexName(sex);
}

}  // namespace qel
