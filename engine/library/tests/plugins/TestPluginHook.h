// The hook through which a test program scripts its test plug-ins: a plug-in
// looks it up in the program at run time and hands it every command with its
// library record (after filling the record, for the init command). The hook
// records the call and gives the plug-in's answer.
#pragma once

#include <cstdint>

namespace qel {

class ITaskLibrary;

extern "C" {
typedef bool (*EnglibTestHookFn)(ITaskLibrary* record, uint32_t command, intptr_t a, intptr_t b, intptr_t c,
                                 int32_t* out);
}

constexpr const char* kEnglibTestHookName = "EnglibTestHook";

}  // namespace qel
