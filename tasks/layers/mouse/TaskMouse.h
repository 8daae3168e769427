// The layer of the tasks in which the testee moves a pointer with the mouse
// (Pursuit, Tracking, VisuoSpatial Sequencing). It turns mouse movement into
// pointer movement with a chosen sensitivity, turns pixels into millimetres
// with a calibrated pixel size, gives feedback by the pointer's colour (or a
// sound), and draws a 100 mm ruler with a threshold circle for calibration
// and previews.
//
// Threads: the tasks run their parts on the host's worker thread (the
// run-self-timed and demonstration commands); the pointer and the colours
// belong to that thread while a part runs. Nothing here is locked.
#pragma once

#include <cstdint>
#include <string>

#include "taskfw/TaskBase.h"

namespace qel {

// TaskParam word 0 of a mouse task: sensitivity in the low half, pixel size
// in micrometres in the high half.
enum class MouseSensitivity : int32_t { kNegative = 0, kEqual = 1, kPositive = 2 };

struct MouseWord {
  static constexpr uint32_t kSensitivityMask = 0xFFFF;
  static constexpr int kPixelSizeShift = 16;
  static constexpr int32_t kPixelSizeMin = 200;  // micrometres
  static constexpr int32_t kPixelSizeMax = 400;
  static constexpr int32_t kPixelSizeDefault = 290;
  // Sensitivity 1, pixel size 290: the default of every mouse task.
  static constexpr uint32_t kDefault = (static_cast<uint32_t>(kPixelSizeDefault) << kPixelSizeShift) | 1u;

  // The pixel size the word holds, 290 when it is outside 200..400.
  static int32_t PixelSize(uint32_t word) {
    const int32_t size = static_cast<int32_t>(word >> kPixelSizeShift);
    return size >= kPixelSizeMin && size <= kPixelSizeMax ? size : kPixelSizeDefault;
  }
  // The sensitivity the word holds, 1 when it is above 2.
  static int32_t Sensitivity(uint32_t word) {
    const uint32_t s = word & kSensitivityMask;
    return s <= 2 ? static_cast<int32_t>(s) : 1;
  }
  static uint32_t Make(int32_t pixelSize, int32_t sensitivity) {
    return (static_cast<uint32_t>(pixelSize) << kPixelSizeShift) |
           (static_cast<uint32_t>(sensitivity) & kSensitivityMask);
  }
};

// Feedback types of TaskFbk's low half as the mouse tasks use them.
enum MouseFeedbackType : int32_t {
  kMouseFeedbackNone = 0,
  kMouseFeedbackSound = 1,
  kMouseFeedbackPointer = 2,
};

// TEXT ids of one language of a task with a left-hand and a right-hand
// part: task instruction, parameters help, the instruction of each hand and
// the description of feedback types 0, 1 and 2.
struct MouseTaskTexts {
  uint32_t task;
  uint32_t parameters;
  uint32_t parts[2];
  uint32_t feedback[3];
};

// "Negative", "Equal" or "Positive".
const char* SensitivityName(int32_t sensitivity);

class CTaskMouse : public CTaskBase {
 public:
  // Length of the calibration ruler, mm.
  static constexpr int kRulerMm = 100;

  CTaskMouse();

  // Adds the mouse movement, halved (integer division) for sensitivity 0 and
  // doubled for 2, and keeps the point on the screen.
  void MovePointer(int& x, int& y) override;  // 1
  // The base's run start; then the pointer takes its normal colour.
  bool BeginRun(ITaskRunData* runData) override;  // 11

  // Feedback type, pixel size and sensitivity from the run context.
  bool LoadMouseParams();
  // Feedback type 1: the feedback sound on or off; type 2: the pointer's
  // colour; other types nothing.
  void SetFeedback(bool on);

  // A line of the colour and pen width.
  static void DrawLine(CDC* dc, int x1, int y1, int x2, int y2, COLORREF colour, int width);
  // The threshold circle around the target with the line to the pointer and,
  // on a ruler row (rulerY >= 0), the threshold's label and the 100 mm ruler.
  void DrawRuler(CDC* dc, int rulerY, double thresholdMm, int targetX, int targetY, int pointerX, int pointerY);

  // The display's break dialog during a part that the task runs itself.
  // Opening registers the restore callback (with this task as its context)
  // and gives the dialog its title; it fails, and the part is to stop, when
  // the break state already says stop (the run is being ended) or the
  // dialog cannot be opened. Polling answers Continue or Stop once the
  // dialog has them (and removes the callback), else Pending.
  enum class BreakAnswer { kPending, kContinue, kStop };
  bool OpenBreakDialog(const std::string& title, QelRestoreCallback restore);
  BreakAnswer PollBreakDialog();
  // Whether the display's break state says stop (the run is being ended).
  bool BreakStateSaysStop() const;

  // The four texts of a task with two hands (English, Dutch, Italian ids):
  // the part's instruction for parts 1 and 2, the feedback description for
  // feedback types 0..2 (none for other parts and types).
  void LoadHandTaskTexts(const MouseTaskTexts (&texts)[3]);

  // Pixels of a length in mm (truncated).
  int PixelsOf(double mm) const { return m_mmPerPixel > 0.0 ? static_cast<int>(mm / m_mmPerPixel) : 0; }
  double MmPerPixel() const { return m_mmPerPixel; }
  int32_t Sensitivity() const { return m_sensitivity; }
  COLORREF PointerColour() const { return m_pointerColour; }

 protected:
  ~CTaskMouse() = default;

  double m_mmPerPixel = MouseWord::kPixelSizeDefault * 0.001;
  const double m_quarterTurn;
  const double m_fullTurn;
  const double m_halfCircleDegrees = 180.0;
  const double m_fullCircleDegrees = 360.0;
  COLORREF m_pointerColour = 0xFFFFFF;
  COLORREF m_normalPointerColour = 0xFFFFFF;
  COLORREF m_feedbackPointerColour;
  int32_t m_feedbackType = kMouseFeedbackNone;
  int32_t m_sensitivity = 1;
  // The break dialog's title: the display keeps a pointer to it.
  std::string m_breakTitle;
};

}  // namespace qel
