// Whole-file reads with a size limit, and writes that replace a file only
// once the new content is safely on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qel {

// Reads a regular file of at most maxSize bytes; false with an error text otherwise.
bool ReadFileBounded(const std::string& path, size_t maxSize, std::vector<uint8_t>* out, std::string* error);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target (then flushes the folder). A failure
// removes the temporary file and leaves the previous target untouched. A new
// file gets the usual permissions; an existing one keeps its own.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size, std::string* error);

}  // namespace qel
