// Draws the animal pictures of the house tasks and writes them as 24-bit
// BMP files into the folder given on the command line.
//
//   qel_picture_generator <output folder>
#include "tools/pictures/AnimalPictures.h"
#include "tools/pictures/PictureFiles.h"

int main(int argc, char** argv) {
  return qel::pictures::RunPictureGenerator(argc, argv, qel::pictures::AnimalPictures);
}
