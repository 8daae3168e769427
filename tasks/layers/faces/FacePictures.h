// The face pictures of the emotion tasks: the resource ids of every face by
// size, sex, person, gaze and emotion, the face codes of the trial lists,
// and the decoded pictures of a plug-in, kept once decoded.
//
// A face code holds three characters, sex ("m" or "w"), person ("1" or "2")
// and emotion ("0" neutral, "1" happy, "2" sad, "3" angry, "4" fear,
// "5" disgust, "6" surprise, "7" shame, "8" contempt); where gazes count a
// fourth character "L" or "R" (any case) averts the eyes to the viewer's
// left or right, anything else leaves the gaze straight.
//
// The pictures are PNG resources of the plug-ins (drawn by tools/faces):
// 240 x 272 pixels in a run, 60 x 68 in the editor's preview.
#pragma once

#include <cstdint>
#include <map>

#include "display/image/Image.h"
#include "include/qel/DrawContext.h"
#include "include/qel/Resources.h"

namespace qel {

enum FacePictureSize : int { kFaceLarge = 0, kFaceSmall = 1 };
enum FaceGaze : int { kGazeStraight = 0, kGazeLeft = 1, kGazeRight = 2 };

inline constexpr int kFaceLargeWidth = 240;
inline constexpr int kFaceLargeHeight = 272;
inline constexpr int kFaceSmallWidth = 60;
inline constexpr int kFaceSmallHeight = 68;

inline constexpr int kFaceSexes = 2;    // 0 "m", 1 "w"
inline constexpr int kFacePersons = 2;  // 0 "1", 1 "2"
inline constexpr int kFaceEmotions = 9;
inline constexpr int kFaceGazes = 3;
inline constexpr int kAvertedFaceEmotions = 5;  // gaze variants of emotions 0..4

struct FaceCode {
  int sex = 0;
  int person = 0;
  int emotion = 0;
  int gaze = kGazeStraight;
};

// The first three characters as a face (gaze straight); false when one is
// missing or outside its range, or the emotion is above maxEmotion.
bool ParseFace(const char* chars, int maxEmotion, FaceCode* out);
// The gaze a fourth character asks for.
int GazeOf(char letter);

// The picture of a face with a straight gaze; 0 outside the ranges.
uint32_t FacePictureId(int size, int sex, int person, int emotion);
// The picture of a face with any gaze (emotions 0..4; a straight gaze is
// the picture above); 0 outside the ranges.
uint32_t GazeFacePictureId(int size, int sex, int person, int gaze, int emotion);

// The pictures of one module, decoded from its PNG (or BITMAP) resources on
// first use and kept. Not locked: the host keeps a task's calls apart.
class CFacePictures {
 public:
  void SetModule(QelResModule module);
  // The decoded picture; null when the module has none or it is broken.
  const QelImage* Picture(uint32_t id);
  // Draws the picture 1:1 with its top-left corner at (x, y); false when
  // nothing was drawn.
  bool Draw(CDC* dc, uint32_t id, int x, int y);

 private:
  QelResModule m_module = nullptr;
  std::map<uint32_t, QelImage> m_pictures;  // an empty picture: missing or broken
};

}  // namespace qel
