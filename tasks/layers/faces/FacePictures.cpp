#include "tasks/layers/faces/FacePictures.h"

#include <cstring>

#include "display/image/ImageDecoder.h"

namespace qel {

namespace {

// [size][sex][person][emotion 0..8]: the face pictures of the emotion tasks.
constexpr uint32_t kFaceIds[2][kFaceSexes][kFacePersons][kFaceEmotions] = {
    {
        {{104, 105, 106, 107, 108, 109, 110, 111, 112}, {121, 114, 115, 116, 117, 118, 119, 120, 113}},
        {{123, 124, 125, 126, 127, 128, 129, 130, 122}, {132, 133, 134, 135, 136, 137, 138, 139, 131}},
    },
    {
        {{175, 141, 142, 143, 144, 145, 146, 147, 148}, {149, 150, 151, 152, 153, 154, 155, 156, 157}},
        {{158, 159, 160, 161, 162, 163, 164, 165, 166}, {167, 168, 169, 170, 171, 172, 173, 174, 140}},
    },
};

// Averted gazes, numbered on from 201: large left, large right, small left,
// small right, each m1, m2, w1, w2 with emotions 0..4.
constexpr uint32_t kFirstGazeId = 201;

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

bool ParseFace(const char* chars, int maxEmotion, FaceCode* out) {
  if (!chars || !out || strnlen(chars, 3) < 3) return false;
  FaceCode face;
  if (chars[0] == 'm') face.sex = 0;
  else if (chars[0] == 'w') face.sex = 1;
  else return false;
  if (chars[1] != '1' && chars[1] != '2') return false;
  face.person = chars[1] - '1';
  if (chars[2] < '0' || chars[2] > '8' || chars[2] - '0' > maxEmotion) return false;
  face.emotion = chars[2] - '0';
  *out = face;
  return true;
}

int GazeOf(char letter) {
  if (letter == 'L' || letter == 'l') return kGazeLeft;
  if (letter == 'R' || letter == 'r') return kGazeRight;
  return kGazeStraight;
}

uint32_t FacePictureId(int size, int sex, int person, int emotion) {
  if (!InRange(size, 2) || !InRange(sex, kFaceSexes) || !InRange(person, kFacePersons) ||
      !InRange(emotion, kFaceEmotions)) {
    return 0;
  }
  return kFaceIds[size][sex][person][emotion];
}

uint32_t GazeFacePictureId(int size, int sex, int person, int gaze, int emotion) {
  if (!InRange(size, 2) || !InRange(sex, kFaceSexes) || !InRange(person, kFacePersons) || !InRange(gaze, kFaceGazes) ||
      !InRange(emotion, kAvertedFaceEmotions)) {
    return 0;
  }
  if (gaze == kGazeStraight) return FacePictureId(size, sex, person, emotion);
  const int face = sex * kFacePersons + person;
  const int block = size * 2 + (gaze - 1);
  return kFirstGazeId +
         static_cast<uint32_t>((block * kFaceSexes * kFacePersons + face) * kAvertedFaceEmotions + emotion);
}

void CFacePictures::SetModule(QelResModule module) {
  if (module != m_module) m_pictures.clear();
  m_module = module;
}

const QelImage* CFacePictures::Picture(uint32_t id) {
  if (id == 0 || !m_module) return nullptr;
  auto found = m_pictures.find(id);
  if (found == m_pictures.end()) {
    QelImage& image = m_pictures[id];
    const QelResource* res = QelFindResource(m_module, "PNG", id);
    if (!res) res = QelFindResource(m_module, "BITMAP", id);
    if (!res || QelDecodeImage(res->data, res->size, image) != QelImageStatus::kOk) image.Clear();
    found = m_pictures.find(id);
  }
  return found->second.IsEmpty() ? nullptr : &found->second;
}

bool CFacePictures::Draw(CDC* dc, uint32_t id, int x, int y) {
  const QelImage* picture = Picture(id);
  if (!dc || !picture) return false;
  const QelBitmap view = picture->View();
  return dc->BitBlt(x, y, view.width, view.height, view, 0, 0, kRopSrcCopy);
}

}  // namespace qel
