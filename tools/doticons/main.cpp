// Draws the dot-set pictures of the dots task's parameter page and writes
// them as 24-bit BMP files into the folder given on the command line.
//
//   qel_dot_icon_generator <output folder>
#include "tools/doticons/DotIcons.h"
#include "tools/pictures/PictureFiles.h"

int main(int argc, char** argv) { return qel::pictures::RunPictureGenerator(argc, argv, qel::doticons::DotIcons); }
