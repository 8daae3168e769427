#include "tools/faces/ContactSheet.h"

#include <cairo.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "tools/faces/FaceDrawing.h"
#include "tools/faces/FaceModel.h"
#include "tools/faces/FaceSet.h"

namespace qel {

namespace faces {
namespace {

constexpr int kGap = 6;
constexpr int kLabel = 18;

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct Cell {
  FacePicture face;
  int column;
  int row;
};

void Label(cairo_t* cr, double x, double y, const std::string& text) {
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

std::string CellLabel(const FacePicture& face) {
  static const char* const kGazeNames[] = {"", " left", " right"};
  return std::string(PersonAt(face.person).code) + " " + std::to_string(face.emotion) + " " +
         ExpressionOf(face.emotion).name + kGazeNames[face.gaze];
}

void WriteSheet(const std::string& path, const std::vector<Cell>& cells, int columns, int rows, int cellWidth,
                int cellHeight, double fontSize) {
  const int pitchX = cellWidth + kGap;
  const int pitchY = cellHeight + kLabel + kGap;
  Surface sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * pitchX + kGap, rows * pitchY + kGap));
  std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(sheet.get()));
  cairo_t* cr = context.get();
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, fontSize);
  for (const Cell& cell : cells) {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels = RenderFace(cell.face, &width, &height);
    Surface picture(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels.data()),
                                                        CAIRO_FORMAT_RGB24, width, height, width * 4));
    const double x = kGap + cell.column * pitchX;
    const double y = kGap + cell.row * pitchY;
    cairo_set_source_surface(cr, picture.get(), x, y);
    cairo_paint(cr);
    Label(cr, x, y + height + kLabel - 5, CellLabel(cell.face));
  }
  cairo_surface_flush(sheet.get());
  if (cairo_surface_write_to_png(sheet.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace

void WriteContactSheets(const std::string& folder) {
  std::vector<Cell> large, gaze, small;
  for (const FacePicture& face : AllFacePictures()) {
    if (face.size == FaceSize::kLarge && face.gaze == 0) large.push_back({face, face.emotion, face.person});
    if (face.size == FaceSize::kLarge && face.gaze != 0) {
      gaze.push_back({face, face.emotion + (face.gaze - 1) * kAvertedEmotions, face.person});
    }
    if (face.size == FaceSize::kSmall) {
      const int column = face.gaze == 0 ? face.emotion : kEmotions + face.emotion + (face.gaze - 1) * kAvertedEmotions;
      small.push_back({face, column, face.person});
    }
  }
  WriteSheet(folder + "/faces_large.png", large, kEmotions, kPersons, kLargeWidth, kLargeHeight, 13);
  WriteSheet(folder + "/faces_gaze.png", gaze, 2 * kAvertedEmotions, kPersons, kLargeWidth, kLargeHeight, 13);
  WriteSheet(folder + "/faces_small.png", small, kEmotions + 2 * kAvertedEmotions, kPersons, 2 * kSmallWidth,
             kSmallHeight, 9);
}

}  // namespace faces

}  // namespace qel
