// RIFF/WAVE images: the chunks are walked, sizes are bounded by the image,
// truncated and non-PCM images are refused, nothing is read outside.
#include <gtest/gtest.h>

#include <random>

#include "engine/sound/WaveImage.h"
#include "engine/sound/tests/WaveBytes.h"

namespace qel {

namespace {

using test::Chunk;
using test::ExactBytes;
using test::FmtBody;
using test::WaveBytes;

std::vector<uint8_t> Samples(size_t n) {
  std::vector<uint8_t> s(n);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<uint8_t>(i * 7 + 1);
  return s;
}

Chunk Fmt16() { return {"fmt ", FmtBody(1, 1, 22050, 16)}; }
Chunk Data(size_t n) { return {"data", Samples(n)}; }

struct GoodCase {
  const char* name;
  WaveBytes image;
  size_t dataOffset;  // where the data body starts
  uint32_t dataBytes;
  uint16_t channels;
  uint32_t rate;
  uint16_t bits;
};

std::vector<GoodCase> GoodCases() {
  // A LIST chunk whose text holds "data": a byte-by-byte search would take it for the data chunk.
  std::vector<uint8_t> listBody = {'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 8, 0, 0, 0, 'd', 'a', 't', 'a', 9, 9, 9, 9};
  return {
      {"plain", {{Fmt16(), Data(100)}}, 44, 100, 1, 22050, 16},
      {"fact chunk puts data at 48", {{Fmt16(), {"fact", {10, 0, 0, 0}}, Data(20)}}, 56, 20, 1, 22050, 16},
      {"text holding 'data' before the data chunk",
       {{Fmt16(), {"LIST", listBody}, Data(64)}},
       36 + 8 + 20 + 8,
       64,
       1,
       22050,
       16},
      {"odd chunk with pad byte", {{Fmt16(), {"junk", {1, 2, 3}}, Data(10)}}, 36 + 12 + 8, 10, 1, 22050, 16},
      {"format with extra bytes", {{{"fmt ", FmtBody(1, 2, 11025, 8, 2)}, Data(40)}}, 12 + 8 + 20 + 8, 40, 2, 11025, 8},
      {"chunk before the format",
       {{{"JUNK", std::vector<uint8_t>(6, 0)}, Fmt16(), Data(8)}},
       12 + 14 + 24 + 8,
       8,
       1,
       22050,
       16},
      {"odd data at the very end without pad",
       {{{"fmt ", FmtBody(1, 1, 8000, 8)}, {"data", Samples(5), std::nullopt, false}}},
       44,
       5,
       1,
       8000,
       8},
  };
}

TEST(WaveImage, GoodImagesGiveTheFormatAndTheDataChunk) {
  for (const GoodCase& c : GoodCases()) {
    SCOPED_TRACE(c.name);
    ExactBytes bytes(c.image.Build());
    WaveImage wave;
    ASSERT_EQ(ParseWaveImage(bytes.data.get(), bytes.size, wave), kSoundOk);
    EXPECT_EQ(wave.data - bytes.data.get(), static_cast<ptrdiff_t>(c.dataOffset));
    EXPECT_EQ(wave.bytes, c.dataBytes);
    EXPECT_EQ(wave.format.formatTag, 1);
    EXPECT_EQ(wave.format.channels, c.channels);
    EXPECT_EQ(wave.format.samplesPerSec, c.rate);
    EXPECT_EQ(wave.format.bitsPerSample, c.bits);
    EXPECT_EQ(wave.format.blockAlign, c.channels * c.bits / 8);
    EXPECT_EQ(wave.format.cbSize, 0);
    EXPECT_EQ(wave.data[0], 1);  // the first sample byte, not a header
  }
}

TEST(WaveImage, TrailingBytesPastTheRiffSizeAreIgnored) {
  WaveBytes w{{Fmt16(), Data(4)}};
  auto v = w.Build();
  const std::vector<uint8_t> tail = {'d', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0x7F};
  v.insert(v.end(), tail.begin(), tail.end());
  ExactBytes bytes(v);
  WaveImage wave;
  ASSERT_EQ(ParseWaveImage(bytes.data.get(), bytes.size, wave), kSoundOk);
  EXPECT_EQ(wave.bytes, 4u);
}

struct BadCase {
  const char* name;
  std::vector<uint8_t> bytes;
};

std::vector<BadCase> BadCases() {
  auto with = [](WaveBytes w) { return w.Build(); };
  WaveBytes notRiff{{Fmt16(), Data(4)}};
  notRiff.riff = "RIFX";
  WaveBytes notWave{{Fmt16(), Data(4)}};
  notWave.wave = "AVI ";
  WaveBytes riffTooLong{{Fmt16(), Data(4)}};
  riffTooLong.riffSize = 1000;
  WaveBytes riffTooShort{{Fmt16(), Data(4)}};
  riffTooShort.riffSize = 3;
  auto truncated = with({{Fmt16(), Data(100)}});
  truncated.resize(truncated.size() - 10);
  return {
      {"empty", {}},
      {"shorter than a header", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'}},
      {"not RIFF", notRiff.Build()},
      {"not WAVE", notWave.Build()},
      {"ADPCM", with({{{"fmt ", FmtBody(2, 1, 22050, 4, 32)}, Data(64)}})},
      {"extensible format tag", with({{{"fmt ", FmtBody(0xFFFE, 2, 44100, 16, 22)}, Data(64)}})},
      {"format chunk too small", with({{{"fmt ", std::vector<uint8_t>(14, 1)}, Data(8)}})},
      {"no format chunk", with({{Data(8)}})},
      {"no data chunk", with({{Fmt16(), {"LIST", {'d', 'a', 't', 'a'}}}})},
      {"RIFF size past the image", riffTooLong.Build()},
      {"RIFF size smaller than its own header", riffTooShort.Build()},
      {"file cut inside the data", truncated},
      {"data size past the image", with({{Fmt16(), {"data", Samples(16), 0x7FFFFFF0u}}})},
      {"data size of 4 GiB", with({{Fmt16(), {"data", Samples(16), 0xFFFFFFFFu}}})},
      {"huge chunk before the data", with({{Fmt16(), {"JUNK", Samples(2), 0xFFFFFFF8u}, Data(8)}})},
      {"format chunk past the image", with({{{"fmt ", FmtBody(1, 1, 8000, 8), 0x100u}}})},
  };
}

TEST(WaveImage, BadImagesAreRefused) {
  for (const BadCase& c : BadCases()) {
    SCOPED_TRACE(c.name);
    ExactBytes bytes(c.bytes);
    WaveImage wave;
    EXPECT_EQ(ParseWaveImage(bytes.size ? bytes.data.get() : nullptr, bytes.size, wave), kSoundNotPcmWave);
  }
}

TEST(WaveImage, FindWaveChunkWalksTheHeaders) {
  ExactBytes bytes(WaveBytes{{Fmt16(), {"fact", {3, 0, 0, 0}}, Data(6)}}.Build());
  const uint8_t* base = bytes.data.get();
  EXPECT_EQ(FindWaveChunk(base, bytes.size, "fmt "), base + 12);
  EXPECT_EQ(FindWaveChunk(base, bytes.size, "fact"), base + 36);
  EXPECT_EQ(FindWaveChunk(base, bytes.size, "data"), base + 48);
  EXPECT_EQ(WaveChunkSize(FindWaveChunk(base, bytes.size, "data")), 6u);
  EXPECT_EQ(FindWaveChunk(base, bytes.size, "LIST"), nullptr);
  EXPECT_EQ(FindWaveChunk(nullptr, 100, "data"), nullptr);
  // Sample bytes that spell an id are data, not a chunk.
  ExactBytes inside(WaveBytes{{Fmt16(), {"data", {'f', 'a', 'c', 't', 0, 0, 0, 0}}}}.Build());
  EXPECT_EQ(FindWaveChunk(inside.data.get(), inside.size, "fact"), nullptr);
}

// Every cut of a good image, with its sizes left as they were, is refused;
// every cut with the RIFF size made to fit reads inside the cut.
TEST(WaveImage, EveryTruncationIsRefusedOrStaysInside) {
  const auto full = WaveBytes{{Fmt16(), {"fact", {9, 0, 0, 0}}, Data(31)}}.Build();
  for (size_t n = 0; n < full.size(); ++n) {
    std::vector<uint8_t> cut(full.begin(), full.begin() + n);
    {
      ExactBytes bytes(cut);
      WaveImage wave;
      EXPECT_EQ(ParseWaveImage(bytes.data.get(), bytes.size, wave), kSoundNotPcmWave) << n;
    }
    if (n >= 8) {
      const uint32_t fit = static_cast<uint32_t>(n - 8);
      WriteLE32(cut.data() + 4, fit);
      ExactBytes bytes(cut);
      WaveImage wave;
      if (ParseWaveImage(bytes.data.get(), bytes.size, wave) == kSoundOk) {
        EXPECT_LE(wave.data + wave.bytes, bytes.data.get() + bytes.size) << n;
      }
    }
  }
}

// Random damage anywhere in the headers never leads outside the image.
TEST(WaveImage, DamagedHeadersNeverLeadOutside) {
  const auto good = WaveBytes{{Fmt16(), {"LIST", Samples(9)}, Data(40)}}.Build();
  std::mt19937 rng(12345);
  for (int round = 0; round < 4000; ++round) {
    auto v = good;
    const int hits = 1 + static_cast<int>(rng() % 3);
    for (int h = 0; h < hits; ++h) v[rng() % 72] = static_cast<uint8_t>(rng());
    ExactBytes bytes(v);
    WaveImage wave;
    if (ParseWaveImage(bytes.data.get(), bytes.size, wave) == kSoundOk) {
      ASSERT_GE(wave.data, bytes.data.get() + 20);
      ASSERT_LE(wave.data + wave.bytes, bytes.data.get() + bytes.size);
    }
  }
}

TEST(WaveImage, PlayableFormats) {
  struct Case {
    uint16_t tag, channels;
    uint32_t rate;
    uint16_t align, bits;
    bool playable;
  } cases[] = {
      {1, 1, 11025, 1, 8, true},   {1, 2, 22050, 4, 16, true},  {1, 1, 44100, 2, 16, true},
      {1, 1, 100, 1, 8, true},     {1, 2, 200000, 4, 16, true}, {2, 1, 22050, 2, 16, false},
      {1, 0, 22050, 0, 16, false}, {1, 3, 22050, 6, 16, false}, {1, 1, 22050, 3, 24, false},
      {1, 1, 99, 1, 8, false},     {1, 1, 200001, 1, 8, false}, {1, 2, 22050, 2, 16, false},
  };
  for (const Case& c : cases) {
    QelWaveFormat f;
    f.formatTag = c.tag;
    f.channels = c.channels;
    f.samplesPerSec = c.rate;
    f.blockAlign = c.align;
    f.bitsPerSample = c.bits;
    f.avgBytesPerSec = c.rate * c.align;
    EXPECT_EQ(IsPlayablePcmFormat(f), c.playable) << c.tag << " " << c.channels << " " << c.rate << " " << c.bits;
  }
}

}  // namespace

}  // namespace qel
