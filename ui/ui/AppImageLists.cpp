#include "ui/ui/AppImageLists.h"

#include <wx/bitmap.h>
#include <wx/ctrlsub.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/imaglist.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/text/ImageIndex.h"
#include "app/text/Languages.h"

namespace qel {

namespace {

wxImageList* g_smallImages = nullptr;
wxImageList* g_largeImages = nullptr;
constexpr int kFirstTaskIcon = 65;
constexpr int kHueStep = 47;
constexpr int kDegrees = 360;

wxColour HueColour(int i) {
  // A mid-dark colour from the hue wheel, readable under white marks.
  const double h = static_cast<double>((i * kHueStep) % kDegrees) / 60.0;
  const double x = 1.0 - std::abs(std::fmod(h, 2.0) - 1.0);
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = 1; g = x; break;
    case 1: r = x; g = 1; break;
    case 2: g = 1; b = x; break;
    case 3: g = x; b = 1; break;
    case 4: r = x; b = 1; break;
    default: r = 1; b = x; break;
  }
  constexpr double kShade = 170.0;
  return wxColour(static_cast<unsigned char>(r * kShade), static_cast<unsigned char>(g * kShade),
                  static_cast<unsigned char>(b * kShade));
}

}  // namespace

void SetAppSmallImageList(wxImageList* list) { g_smallImages = list; }
wxImageList* GetAppSmallImageList() { return g_smallImages; }
void SetAppLargeImageList(wxImageList* list) { g_largeImages = list; }
wxImageList* GetAppLargeImageList() { return g_largeImages; }

wxIcon DrawNodeIcon(int i, int size) {
  wxIcon icon;
  if (i < 0 || i >= kNodeIconCount || size <= 0) return icon;
  wxImage image(size, size);
  image.InitAlpha();
  unsigned char* alpha = image.GetAlpha();
  std::fill(alpha, alpha + size * size, 0);
  {
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
    const double inset = size / 16.0;
    gc->SetBrush(wxBrush(HueColour(i)));
    gc->SetPen(wxPen(HueColour(i).ChangeLightness(60), 1));
    gc->DrawRoundedRectangle(inset, inset, size - 2 * inset, size - 2 * inset, size / 5.0);
    gc->SetBrush(*wxWHITE_BRUSH);
    gc->SetPen(*wxTRANSPARENT_PEN);
    if (i >= kFirstTaskIcon && size >= kLargeIconSize) {
      // A task kind: its number.
      wxFont font(wxFontInfo(wxSize(0, size / 2)).Family(wxFONTFAMILY_SWISS).Bold());
      gc->SetFont(font, *wxWHITE);
      const wxString text = wxString::Format("%d", i - kFirstTaskIcon);
      double w = 0, h = 0;
      gc->GetTextExtent(text, &w, &h);
      gc->DrawText(text, (size - w) / 2, (size - h) / 2);
    } else {
      // Other nodes: one of four marks, in a size by the position's group.
      const double mark = size * (0.25 + 0.05 * ((i / 4) % 3));
      const double c = size / 2.0;
      switch (i % 4) {
        case 0:
          gc->DrawEllipse(c - mark / 2, c - mark / 2, mark, mark);
          break;
        case 1:
          gc->DrawRectangle(c - mark / 2, c - mark / 2, mark, mark);
          break;
        case 2: {
          const wxPoint2DDouble points[] = {{c, c - mark / 2}, {c + mark / 2, c + mark / 2}, {c - mark / 2, c + mark / 2}};
          gc->DrawLines(3, points);
          break;
        }
        default:
          gc->DrawRectangle(c - mark / 2, c - mark / 8, mark, mark / 4);
          break;
      }
    }
  }
  icon.CopyFromBitmap(wxBitmap(image));
  return icon;
}

wxImageList* CreateNodeImageList(int size) {
  auto* list = new wxImageList(size, size, true, kNodeIconCount);
  for (int i = 0; i < kNodeIconCount; ++i) list->Add(DrawNodeIcon(i, size));
  return list;
}

wxIcon LoadKindIcon(int taskId) { return DrawNodeIcon(GetImageIndex(taskId), kLargeIconSize); }

int FillLanguageCombo(wxItemContainer* combo) {
  if (!combo) return 0;
  int count = 0;
  for (int id = 0; const char* name = GetLanguageName(id); ++id) {
    combo->Append(wxString::FromUTF8(name));
    ++count;
  }
  return count;
}

}  // namespace qel
