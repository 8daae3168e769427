// Writes drawn pictures as the files the modules carry.
#pragma once

#include <filesystem>
#include <vector>

#include "tools/pictures/PictureDescription.h"

namespace qel {

namespace pictures {

// Renders each picture and writes it as a 24-bit BMP file, named by its
// description, into the folder (made when missing). False, saying which
// file on the error stream, when one cannot be written; a malformed
// description throws as RenderPicture does.
bool WritePictureFiles(const std::vector<PictureDescription>& pictures, const std::filesystem::path& folder);

// The main of a picture generator: "<program> <output folder>" writes the
// pictures there; the exit code is 0 when all were written, 1 when one was
// not (or a description is malformed), 2 for a wrong command line.
int RunPictureGenerator(int argc, char** argv, const std::vector<PictureDescription>& (*pictures)());

}  // namespace pictures

}  // namespace qel
