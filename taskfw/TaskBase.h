// The base class of every plug-in's task object. It binds the task to the
// host's library record and services, publishes the task's tables, sets up
// the screen geometry of a run, publishes trial lists and gives each of the
// 35 operations reached through TaskEntry a default body. Task classes set
// their tables in the constructor and override what they need.
//
// A plug-in holds exactly one task object (QEL_TASK_PLUGIN in
// taskfw/TaskPlugin.h). It is called from the host's user-interface thread,
// timer thread and worker threads; the host's run sequence keeps those calls
// apart, so nothing here is locked.
#pragma once

#include <cstdint>
#include <string>

#include "include/qel/DisplayInterface.h"
#include "include/qel/DrawContext.h"
#include "include/qel/ExpModelTaskInterface.h"
#include "include/qel/ModelTask.h"
#include "include/qel/TaskHostInterface.h"
#include "include/qel/TaskLibraryInterface.h"
#include "include/qel/TaskRunDataInterface.h"
#include "include/qel/TaskTables.h"

namespace qel {

// Text resource ids of one language: task instruction, part instruction,
// parameters help, feedback text (0: no such text).
struct TaskTextIds {
  uint32_t task;
  uint32_t part;
  uint32_t parameters;
  uint32_t feedback;
};

// Index of the four texts in CTaskBase::m_texts and ITaskLibrary::texts.
enum TaskTextIndex : int {
  kTextTask = 0,
  kTextPart = 1,
  kTextParameters = 2,
  kTextFeedback = 3,
};

class CTaskBase {
 public:
  CTaskBase();
  CTaskBase(const CTaskBase&) = delete;
  CTaskBase& operator=(const CTaskBase&) = delete;

  // Runs one command of TaskEntry. Boolean commands return the operation's
  // result; value commands run the operation only with a result pointer,
  // store its value there and return true; commands above 30 return false.
  bool DispatchCommand(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out);

  // Virtual operations, in slot order (slots 6-34 answer the commands).
  virtual void SetRestoreCallback(QelRestoreCallback callback, void* context);  // 0
  virtual void MovePointer(int& x, int& y);                                     // 1
  virtual bool SetupScreen(IDDDisplay* display, bool practice);                 // 2
  virtual bool DrawStimulus(CDC* dc, intptr_t a, intptr_t b);                   // 3
  virtual bool SpareHook(intptr_t a);                                           // 4
  virtual void LoadTexts();                                                     // 5
  virtual bool GetInfo(int type, int kind, int index, int32_t* out);            // 6 (pointers: kInfoWideAnswer)
  virtual bool Init(ITaskLibrary* record);                                      // 7
  virtual bool SetupRun(IExpModelTask* context, intptr_t value);                // 8
  virtual int32_t GetParamText(int parameter, int which);                       // 9
  virtual bool OnUnload();                                                      // 10
  virtual bool BeginRun(ITaskRunData* runData);                                 // 11
  virtual bool EndRun();                                                        // 12
  virtual bool ShowWarning();                                                   // 13
  virtual bool HideWarning();                                                   // 14
  virtual bool PrepareScreen(IDDDisplay* display, bool flag);                   // 15
  virtual bool ShowSignal(const char* code, IDDDisplay* display, intptr_t c);   // 16
  virtual bool HideSignal(int32_t responseCode);                                // 17
  virtual int32_t OnBreakBegin();                                               // 18
  virtual int32_t OnBreakEnd();                                                 // 19
  virtual int32_t GetWarningInterval();                                         // 20
  virtual int32_t GetResponse();                                                // 21
  virtual int32_t IsTrialEnded();                                               // 22
  virtual int32_t OnResponse(int32_t code, int32_t early);                      // 23
  virtual int32_t OnNoResponse();                                               // 24
  virtual int32_t OnResponseRelease();                                          // 25
  virtual int32_t GetExtraResponseCount();                                      // 26
  virtual bool FeedbackOn();                                                    // 27
  virtual bool FeedbackOff();                                                   // 28
  virtual bool SetTrial(const char* code);                                      // 29
  virtual int32_t GetCorrectResponse(const char* code);                         // 30
  virtual int32_t ClassifyResponse(int32_t category, int32_t code);             // 31
  virtual bool Demonstrate(ITaskRunData* runData);                              // 32
  virtual int32_t ComputeVariables(ITaskRunData* runData);                      // 33
  virtual bool RunSelfTimed(ITaskRunData* runData);                             // 34

  // The draw-to-surface command: draws the stimulus of a trial code into off-screen surface 0
  // of the display and presents it.
  bool DrawToSurface(intptr_t code, IDDDisplay* display, intptr_t c);

  // Fills the host's trial list from the record's practice or test list.
  void PublishTrialList();

  // Host services with the framework's defaults; all fail quietly (false,
  // 0) without a bound host.
  bool ClearBackSurface();
  int WaitSpaceChange();
  uint32_t GetRunTime();
  int PollKey();                       // 1 Escape, 57 Space, 0 none
  int WaitKeyUntil(uint32_t limitMs);  // the key (1, 57), or 0 at the limit
  void BeepTrain(int count);
  bool ReleaseBackDC(CDC* dc);
  bool Present();
  void DrawCentreCross(CDC* dc, COLORREF colour);

  // Pictures of the plug-in's own BITMAP/PNG resources.
  bool DrawBitmap(CDC* dc, uint32_t bitmapId, int x, int y, bool flip);
  static bool BlitBitmap(CDC* dc, const QelBitmap& bitmap, int x, int y, bool flip);

  // Text helpers on a drawing context.
  static void TextOutString(CDC* dc, int x, int y, const std::string& text);
  static bool GetTextSize(CDC* dc, const std::string& text, int* width, int* height);

  // The plug-in's TEXT resource, cut at its first NUL; "" when missing or
  // when no record is bound.
  std::string LoadTextResource(uint32_t id) const;
  // 0 English (language 0, 1 and unknown values), 1 Dutch (2), 2 Italian (3).
  int TextLanguage() const;
  uint32_t TextIdForLanguage(uint32_t english, uint32_t dutch, uint32_t italian) const;
  // Loads the four texts from the ids of the host's language (English,
  // Dutch, Italian rows).
  void LoadTextsForLanguage(const TaskTextIds (&ids)[3]);

  // Entry n of the task's norm-variable table through the record's norm
  // service; false (out 9999.0) without a record.
  bool GetNormValue(int n, double* out, double value, double age, int kind);
  // Whether the pair getters take the mean of the two entries (left and
  // right hand) instead of their sum.
  bool PairNormMean() const { return m_pairNormMean; }

  // Read-only views for the plug-in's own code.
  ITaskHost* Host() const { return m_host; }
  ITaskLibrary* Record() const { return m_record; }
  IExpModelTask* RunContext() const { return m_runContext; }
  const std::string& Text(int index) const { return m_texts[index & 3]; }

 protected:
  // Not deleted through the base: the one task object is a global.
  ~CTaskBase() = default;

  // Checks the run context's version and part against the task's counts and
  // takes the indexes; false when either is out of range.
  bool TakeVersionAndPart();
  // Writes the four texts into the record.
  void PublishTexts();
  // Clears the record's per-part words and trial lists.
  void ClearRecordLists();
  // TaskFbk low 16 bits of the run context (-1 without one).
  int FeedbackType() const;

  // Bindings.
  ITaskHost* m_host = nullptr;
  ITaskLibrary* m_record = nullptr;
  IExpModelTask* m_runContext = nullptr;
  intptr_t m_runArg = 0;  // second argument of the set-up command, then the run data of the part start
  bool m_practice = false;
  bool m_trialSet = false;
  int m_versionIndex = 0;
  int m_partIndex = 0;
  bool m_twoChoice = false;
  int32_t m_libraryVersion = 1;

  // The task's description, set by the task constructor (static data).
  const QelModelTask* m_modelDefault = nullptr;
  const QelTaskDescription* m_taskDescription = nullptr;
  const char* const* m_versionNames = nullptr;
  int32_t m_versionCount = 0;
  const char* const* m_partNames = nullptr;
  int32_t m_partCount = 0;
  std::string m_texts[4];
  const TaskVariableDef* m_variables = nullptr;
  uint32_t m_variableCount = 0;
  const char* const* m_captions;
  int32_t m_captionCount;
  const char* const* m_captions2 = nullptr;
  int32_t m_captionCount2 = 0;
  uint32_t m_taskWords[4] = {0, 0, 0, 0};  // the first is the host's code offset
  // Names of the task's own response categories from m_codeNameFirst on.
  const char* const* m_codeNames = nullptr;
  int32_t m_codeNameFirst = 0;
  int32_t m_codeNameCount = 0;

  // Trials.
  char m_currentCode[kTrialCodeSize] = {};
  const char (*m_trialList)[kTrialCodeSize] = nullptr;
  uint32_t m_trialCount = 0;

  IQelTaskPage* m_page = nullptr;

  // Colours.
  COLORREF m_backColour = 0x000000;
  COLORREF m_warningColour = 0xFFFFFF;
  COLORREF m_textColour = 0xFFFFFF;
  COLORREF m_feedbackColour = 0x0000FF;

  // Run state.
  bool m_feedbackSoundReady = false;
  bool m_cursorHidden = false;

  // Screen geometry (SetupScreen).
  int m_sizePercent[3] = {3, 10, 3};
  int m_minX = 0;
  int m_maxX = 640;
  int m_maxY = 480;
  int m_centreX = 320;
  int m_centreY = 240;
  int m_size[3] = {14, 48, 14};
  double m_scale = 1.0;

  // Norm variables.
  const TaskNormVariable* m_normVariables = nullptr;
  uint32_t m_normVariableCount = 0;
  bool m_pairNormMean = false;

  // Count-first response-code lists for the tasks' statistics.
  const int32_t* m_codes134;   // {3: 1, 3, 4}
  const int32_t* m_codes1234;  // {4: 1, 2, 3, 4}
};

// The plug-in's one task object (defined by QEL_TASK_PLUGIN).
CTaskBase& QelPluginTask();

}  // namespace qel
