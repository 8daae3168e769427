// The three mental arithmetic plug-ins of the program folder, loaded by the
// program's loader: what they show and how the operator's typed answer is
// judged, command by command; then whole parts run by the program's trial
// state machine on a virtual clock, the testee answering by voice and the
// operator typing what was said, with every variable and Z-score compared
// with values worked out from the script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "include/qel/TaskEntry.h"
#include "tasks/layers/arith/ArithmeticProblem.h"
#include "tasks/tests/support/RunExpectations.h"
#include "tasks/tests/support/LoadedTask.h"
#include "tasks/tests/support/ScriptedOperator.h"
#include "tasks/tests/support/ScriptedRun.h"

namespace qel {

namespace {

using arith::ProblemType;
using test::AddNorms;
using test::Answer;
using test::Expected;
using test::ExpectValues;
using test::ExpectZFromOwnNorms;
using test::LoadedTask;
using test::Norm;
using test::ScriptedOperator;
using test::ScriptedRun;
using test::StatsOf;

const QelTesteeRecord kTestee{QelDateTime::FromDate(1950, 3, 1)};
const QelDateTime kTestDate = QelDateTime::FromDate(2020, 3, 1);

struct Family {
  const char* code;    // "MAM1"
  const char* suffix;  // "_m1"
  ProblemType type;
  int kinds;
};

const Family kFamily[] = {
    {"MAM1", "_m1", ProblemType::kMultiplication, 2},
    {"MAA1", "_a1", ProblemType::kAdditionOne, 4},
    {"MAA2", "_a2", ProblemType::kAdditionTwo, 4},
};

// The kind of a problem (0..3) as the task judges it.
int KindOf(const std::string& code, ProblemType type) {
  const arith::Problem p = arith::ParseProblem(code.c_str(), type);
  return (arith::AnswerCategory(p, type, p.result) - arith::kCorrectType1) / 2;
}

int ResultOf(const std::string& code, ProblemType type) { return arith::ParseProblem(code.c_str(), type).result; }

std::string Slot(const char* code) {
  std::string slot(kTrialCodeSize, '\0');
  std::strncpy(slot.data(), code, kTrialCodeSize - 1);
  return slot;
}

// Command 12 with a code, then the operator types `keys` during command 19;
// the answer of command 19.
int32_t ShowAndAnswer(LoadedTask& t, ScriptedOperator& op, const char* code, const std::string& keys) {
  const std::string slot = Slot(code);
  t.Command(kCmdShowSignal, reinterpret_cast<intptr_t>(slot.c_str()), reinterpret_cast<intptr_t>(&t.m_display), 0);
  op.Type(keys);
  const int32_t answer = t.Value(kCmdOnResponse, 1, 0);
  EXPECT_EQ(op.PendingKeys(), 0u) << "every key typed was read";
  return answer;
}

class ArithmeticPlugin : public testing::Test {
 protected:
  void Start(const char* code) {
    TearDown();
    m_t = std::make_unique<LoadedTask>(code);
    ASSERT_TRUE(m_t->Loaded());
    ASSERT_TRUE(m_t->Setup(1, 0));
    ASSERT_TRUE(m_t->BeginRun());
    m_op = std::make_unique<ScriptedOperator>(m_t->m_host);
  }
  void TearDown() override {
    m_op.reset();
    if (m_t) m_t->Command(kCmdEndRun);
    m_t.reset();
  }
  std::unique_ptr<LoadedTask> m_t;
  std::unique_ptr<ScriptedOperator> m_op;
};

struct JudgedCase {
  const char* name;
  const char* task;
  const char* code;
  const char* keys;  // what the operator types
  int32_t response;  // the answer of command 19
  int32_t category;  // command 27 for a response (category 1)
};

// The edge cases of the judging, through the plug-ins themselves.
TEST_F(ArithmeticPlugin, TypedAnswersAreJudgedByKindAndResult) {
  const JudgedCase cases[] = {
      {"NoCarryRight", "MAA1", "1215", "27\n", 0, 12},
      {"NoCarryWrong", "MAA1", "1215", "26\n", 0, 13},
      {"CarrySecondSmaller", "MAA1", "4738", "85\n", 0, 14},
      {"CarrySecondSmallerInTheOtherTask", "MAA2", "4738", "85\n", 0, 14},
      {"CarrySecondLarger", "MAA2", "3847", "85\n", 0, 16},
      {"NoCarrySecondSmaller", "MAA2", "2512", "37\n", 0, 10},
      {"ProductTwentyIsTypeTwo", "MAM1", "45", "20\n", 0, 12},
      {"SmallProductWrong", "MAM1", "27", "15\n", 0, 11},
      {"AThirdDigitIsNotTaken", "MAA1", "1215", "273\n", 0, 12},
      {"BackspaceCorrectsADigit", "MAA1", "1215", "28\b7\n", 0, 12},
      {"EnterOnAnEmptyFieldWaitsForDigits", "MAM1", "36", "\n..18\n", 0, 10},
      {"EscapeGivesUpTheAnswer", "MAA1", "1215", "2\x1b", kCatSkipped, 13},
  };
  for (const JudgedCase& c : cases) {
    SCOPED_TRACE(c.name);
    Start(c.task);
    EXPECT_EQ(ShowAndAnswer(*m_t, *m_op, c.code, c.keys), c.response);
    EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 1), c.category);
    // Only a response is judged.
    for (int32_t other : {kCatAnticipation, kCatOmission, kCatSkipped}) {
      EXPECT_EQ(m_t->Value(kCmdClassifyResponse, other, 0), other);
    }
  }
}

// A code too short for the task shows nothing and leaves nothing of the
// previous problem to be judged: its response is left out of the scores.
TEST_F(ArithmeticPlugin, AShortCodeKeepsNothingOfThePreviousProblem) {
  Start("MAA1");
  ASSERT_EQ(ShowAndAnswer(*m_t, *m_op, "1215", "27\n"), 0);
  ASSERT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 1), 12);
  MemoryDC& back = m_t->m_display.Surface(kSurfaceBack);
  back.ClearCalls();
  const std::string shortCode = Slot("12");
  EXPECT_FALSE(m_t->Command(kCmdShowSignal, reinterpret_cast<intptr_t>(shortCode.c_str()),
                            reinterpret_cast<intptr_t>(&m_t->m_display), 0));
  for (const std::string& call : back.Calls()) EXPECT_NE(call.rfind("TextOut", 0), 0u) << call;
  // Even an answer that fits the previous problem is not judged against it.
  m_op->Type("27\n");
  EXPECT_EQ(m_t->Value(kCmdOnResponse, 1, 0), 0);
  EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 1), kCatExcluded);
  EXPECT_EQ(m_op->PendingKeys(), 2u + 1u) << "no answer field for a trial without a problem";
}

// The problem centred on the back surface; the answer field on the front
// surface right of it: "= ", the digits, the cursor blinking every 250 ms.
TEST_F(ArithmeticPlugin, ProblemCentredAndAnswerFieldBesideIt) {
  Start("MAA1");  // 640 x 480: centre 320, 240; 8 x 16 pixels per character
  m_t->m_host.ClearCalls();
  ASSERT_EQ(ShowAndAnswer(*m_t, *m_op, "1215", std::string(55, '.') + "2.7\n"), 0);
  const auto& back = m_t->m_display.Surface(kSurfaceBack).Calls();
  EXPECT_NE(std::find(back.begin(), back.end(), "TextOut 292 232 12 + 15"), back.end());
  std::vector<std::string> front;
  for (const std::string& call : m_t->m_display.Surface(kSurfaceFront).Calls()) {
    if (call.rfind("TextOut", 0) == 0) front.push_back(call);
  }
  // The field starts at 320 + 56 / 2: the cursor, which goes off and on
  // again while no key comes (55 readings 10 ms apart), then the digits, the
  // cursor gone at Enter.
  const std::vector<std::string> expected = {"TextOut 348 232 = _",  "TextOut 348 232 = ",    "TextOut 348 232 = _",
                                             "TextOut 348 232 = 2_", "TextOut 348 232 = 27_", "TextOut 348 232 = 27"};
  EXPECT_EQ(front, expected);
  EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 1), 12);
}

TEST_F(ArithmeticPlugin, RefusedKeysBeep) {
  Start("MAM1");
  ASSERT_EQ(ShowAndAnswer(*m_t, *m_op, "89", "\b721\n"), 0);
  EXPECT_EQ(m_t->m_host.CountCalls("MakeTone 1000"), 2) << "Backspace on an empty field and a third digit";
  EXPECT_EQ(m_t->Value(kCmdClassifyResponse, kCatHit, 1), 12);
}

struct DemonstrationCase {
  const char* task;
  int key;  // what the space-key wait answers
  std::vector<std::string> shown;
};

TEST(ArithmeticDemonstration, ExamplesEachFollowedBySpace) {
  const DemonstrationCase cases[] = {
      {"MAA1", kScanSpace, {"3 + 8 = ?", "12 + 15 = ?"}},
      {"MAA2", kScanSpace, {"3 + 8 = ?", "12 + 15 = ?"}},
      {"MAM1", kScanSpace, {"4 x 5 = ?"}},
      {"MAA1", kScanEscape, {"3 + 8 = ?"}},
  };
  for (const DemonstrationCase& c : cases) {
    SCOPED_TRACE(std::string(c.task) + " " + std::to_string(c.key));
    LoadedTask t(c.task);
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0, true));
    t.m_host.m_spaceChange = c.key;
    ASSERT_TRUE(t.Command(kCmdDemonstrate, reinterpret_cast<intptr_t>(t.m_runData.get())));
    std::vector<std::string> shown;
    for (const std::string& call : t.m_display.Surface(kSurfaceBack).Calls()) {
      // "TextOut x y text"
      if (call.rfind("TextOut ", 0) != 0) continue;
      const size_t y = call.find(' ', 8);
      shown.push_back(call.substr(call.find(' ', y + 1) + 1));
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(t.m_display.m_cursorShown, 1) << "the cursor is back after the demonstration";
  }
}

// Combined rows (two kinds taken together) have no norms of their own: the
// norm mean and SD of a mean RT are the mean of the two kinds' RT norms, those
// of a number of errors the sum of the two kinds' error norms.
TEST(ArithmeticNorms, CombinedRowsCombineTheNormsOfTheirTwoKinds) {
  for (const Family& family : kFamily) {
    SCOPED_TRACE(family.code);
    LoadedTask t(family.code);
    ASSERT_TRUE(t.Loaded());
    const std::string S = family.suffix;
    std::map<std::string, Norm> norms;
    for (int kind = 0; kind < family.kinds; ++kind) {
      const std::string q = std::to_string(kind + 1);
      norms["Zc" + q + S] = Norm{900.0 + 100 * kind, 80.0 + 20 * kind};
      norms["Ze" + q + S] = Norm{1.0 + kind, 0.5 + kind};
    }
    AddNorms(t, norms);
    int combined = 0;
    for (uint32_t n = 0; n < t.m_library.normVariableCount; ++n) {
      const TaskNormVariable& row = t.m_library.normVariables[n];
      if (row.name) continue;
      ++combined;
      const std::string code = t.m_library.scoreVariables[row.id].code;  // "Zc12_m1"
      SCOPED_TRACE(code);
      const std::string first = code.substr(0, 3) + S, second = code.substr(0, 2) + code.substr(3, 1) + S;
      const bool rt = code[1] == 'c';
      EXPECT_STREQ(row.unit, rt ? "ms" : "N");
      EXPECT_STREQ(t.m_library.scoreVariables[row.source].code, ((rt ? "Tc" : "Ne") + code.substr(2)).c_str());
      const Norm& a = norms[first];
      const Norm& b = norms[second];
      double mean = 0, sd = 0, z = 0;
      ASSERT_TRUE(t.m_library.GetVariableValue(static_cast<int>(n), &mean, 0.0, 40.0, 1, true));
      ASSERT_TRUE(t.m_library.GetVariableValue(static_cast<int>(n), &sd, 0.0, 40.0, 2, true));
      EXPECT_DOUBLE_EQ(mean, rt ? (a.mean + b.mean) / 2 : a.mean + b.mean);
      EXPECT_DOUBLE_EQ(sd, rt ? (a.sd + b.sd) / 2 : a.sd + b.sd);
      EXPECT_FALSE(t.m_library.GetVariableValue(static_cast<int>(n), &z, 1000.0, 40.0, 0, true));
      EXPECT_EQ(z, kNoValue) << "no Z-score of its own";
    }
    EXPECT_EQ(combined, family.kinds) << "N and RT rows of every pair of kinds";
  }
}

// ---- whole parts ---------------------------------------------------------------

// The testee's and the operator's script for a test list: per kind, the
// first `errors` problems are answered wrong (the operator types the result
// minus one) after 2000 + 100 kind + 200 k ms; the others right after
// 700 + 300 kind + 20 k ms. The first right answer of the first kind is
// typed with a slip the operator corrects.
struct Script {
  std::vector<int> errors;                          // per kind
  std::vector<std::vector<double>> correct, wrong;  // reaction times per kind
};

TEST(ArithmeticRun, WholeTestListEveryVariableAndZScore) {
  const std::vector<std::vector<int>> errorsPerKind = {{1, 2}, {1, 1, 2, 0}, {2, 1, 1, 1}};
  for (size_t f = 0; f < std::size(kFamily); ++f) {
    const Family& family = kFamily[f];
    SCOPED_TRACE(family.code);
    LoadedTask t(family.code);
    ASSERT_TRUE(t.Loaded());
    ASSERT_TRUE(t.Setup(1, 0));
    ASSERT_EQ(t.m_host.trialCount, 32u);
    ScriptedOperator op(t.m_host);

    Script script;
    script.errors = errorsPerKind[f];
    script.correct.assign(family.kinds, {});
    script.wrong.assign(family.kinds, {});
    std::vector<int> seen(family.kinds, 0);
    ScriptedRun run(t);
    ASSERT_TRUE(run.RunPart(0, false, [&](const std::string& code) {
      const int kind = KindOf(code, family.type);
      const int k = seen[kind]++;
      const int result = ResultOf(code, family.type);
      if (k < script.errors[kind]) {
        const int rt = 2000 + 100 * kind + 200 * k;
        script.wrong[kind].push_back(rt);
        op.Type(std::to_string(result - 1) + "\n");
        return Answer{.rtMs = rt, .bits = 1, .holdMs = 300, .voice = true};
      }
      const int rt = 700 + 300 * kind + 20 * (k - script.errors[kind]);
      script.correct[kind].push_back(rt);
      op.Type((kind == 0 && k == script.errors[0] ? "9\b" : "") + std::to_string(result) + "\n");
      return Answer{.rtMs = rt, .bits = 1, .holdMs = 300, .voice = true};
    }));
    EXPECT_EQ(run.Shown().size(), 32u);
    EXPECT_EQ(op.PendingKeys(), 0u);
    EXPECT_EQ(run.VoiceKey().m_threshold, 10) << "the task's voice-key threshold";
    for (int kind = 0; kind < family.kinds; ++kind) EXPECT_EQ(seen[kind], family.kinds == 2 ? 16 : 8) << kind;

    const std::string S = family.suffix;
    std::map<std::string, Norm> norms;
    for (int kind = 0; kind < family.kinds; ++kind) {
      const std::string q = std::to_string(kind + 1);
      norms["Zc" + q + S] = Norm{800.0 + 250 * kind, 60.0 + 10 * kind};
      norms["Ze" + q + S] = Norm{1.0 + kind * 0.5, kind == 0 ? 0.5 : 1.5};  // an SD below 1 counts as 1
    }
    AddNorms(t, norms);
    const int variables = family.kinds == 2 ? 32 : 60;
    EXPECT_EQ(run.ComputeVariables(false, &kTestee, kTestDate), variables);

    std::vector<Expected> expected;
    std::vector<std::string> codes;  // keeps the codes of `expected` alive
    codes.reserve(200);
    const auto add = [&](const std::string& code, double value) {
      codes.push_back(code);
      expected.push_back({codes.back().c_str(), value});
    };
    add("Ntot" + S, 32);
    double z[4] = {};
    double ze[4] = {};
    for (int kind = 0; kind < family.kinds; ++kind) {
      const std::string q = std::to_string(kind + 1);
      const test::RtStats c = StatsOf(script.correct[kind]);
      const Norm& nc = norms["Zc" + q + S];
      z[kind] = (c.mean - nc.mean) / nc.sd;
      for (const auto& [letter, value] : std::vector<std::pair<std::string, double>>{{"N", c.n},
                                                                                     {"T", c.mean},
                                                                                     {"S", c.sd},
                                                                                     {"M", c.median},
                                                                                     {"L", c.logMean},
                                                                                     {"U", c.upper},
                                                                                     {"D", c.lower},
                                                                                     {"Z", z[kind]}}) {
        add(letter + "c" + q + S, value);
      }
      const test::RtStats e = StatsOf(script.wrong[kind]);
      const Norm& ne = norms["Ze" + q + S];
      ze[kind] = (e.n - ne.mean) / std::max(ne.sd, 1.0);
      add("Ne" + q + S, e.n);
      add("Te" + q + S, e.mean);
      add("Ze" + q + S, ze[kind]);
    }
    for (int pair = 0; pair < family.kinds / 2; ++pair) {
      const int a = 2 * pair, b = 2 * pair + 1;
      const std::string ab = std::to_string(a + 1) + std::to_string(b + 1);
      std::vector<double> right = script.correct[a], wrong = script.wrong[a];
      right.insert(right.end(), script.correct[b].begin(), script.correct[b].end());
      wrong.insert(wrong.end(), script.wrong[b].begin(), script.wrong[b].end());
      add("Nc" + ab + S, static_cast<double>(right.size()));
      add("Tc" + ab + S, StatsOf(right).mean);
      add("Zc" + ab + S, (z[a] + z[b]) / 2);
      add("Ne" + ab + S, static_cast<double>(wrong.size()));
      add("Te" + ab + S, StatsOf(wrong).mean);
      add("Ze" + ab + S, (ze[a] + ze[b]) / 2);
    }
    add("No" + S, 0);
    add("Np" + S, 0);
    add("Ni" + S, 0);
    EXPECT_EQ(expected.size(), static_cast<size_t>(variables)) << "every row is checked";
    ExpectValues(t, expected);
    ExpectZFromOwnNorms(t, norms);
  }
}

// A practice list (one problem of each kind): the first problem is not
// answered in time, then answered too early, then given up by the operator
// with Escape; each time it comes again, and all three are counted. No
// Z-scores in a practice run.
TEST(ArithmeticRun, PracticeWithOmissionAnticipationAndAbortedAnswer) {
  LoadedTask t("MAA1");
  ASSERT_TRUE(t.Loaded());
  ASSERT_TRUE(t.Setup(2, 0, true));
  ASSERT_EQ(t.m_host.trialCount, 4u);
  ScriptedOperator op(t.m_host);
  int turn = 0;
  ScriptedRun run(t);
  ASSERT_TRUE(run.RunPart(0, true, [&](const std::string& code) {
    const int result = ResultOf(code, ProblemType::kAdditionOne);
    switch (turn++) {
      case 0:
        return Answer{};  // nothing said within the 10 s
      case 1:
        op.Type(std::to_string(result) + "\n");
        return Answer{.rtMs = 150, .bits = 1, .holdMs = 300, .voice = true};  // before 300 ms
      case 2:
        op.Type("\x1b");
        return Answer{.rtMs = 900, .bits = 1, .holdMs = 300, .voice = true};
      default:
        op.Type(std::to_string(result) + "\n");
        return Answer{.rtMs = 1000, .bits = 1, .holdMs = 300, .voice = true};
    }
  }));
  ASSERT_EQ(run.Shown().size(), 7u);
  EXPECT_EQ(run.Shown()[1], run.Shown()[0]);
  EXPECT_EQ(run.Shown()[2], run.Shown()[0]);
  EXPECT_EQ(run.Shown()[3], run.Shown()[0]);
  const int32_t* stored = t.m_runData->taskCategory[0];
  EXPECT_EQ(std::vector<int32_t>(stored, stored + 3),
            (std::vector<int32_t>{kCatOmission, kCatAnticipation, kCatSkipped}));

  AddNorms(t, test::NormsFor(t, {}));
  EXPECT_EQ(run.ComputeVariables(true, &kTestee, kTestDate), 60);
  ExpectValues(t, {{"Ntot_a1", 7},
                   {"Nc1_a1", 1},
                   {"Tc1_a1", 1000},
                   {"Zc1_a1", kNoValue},
                   {"Nc12_a1", 2},
                   {"Zc12_a1", kNoValue},
                   {"Nc34_a1", 2},
                   {"Ne1_a1", 0},
                   {"Ze1_a1", kNoValue},
                   {"Ne12_a1", 0},
                   {"No_a1", 1},
                   {"Np_a1", 1},
                   {"Ni_a1", 1}});
}

}  // namespace

}  // namespace qel
