// Command numbers of TaskEntry to the task object's operations.
#include "include/qel/TaskEntry.h"
#include "taskfw/TaskBase.h"

namespace qel {

namespace {

template <typename T>
T* AsPointer(intptr_t v) {
  return reinterpret_cast<T*>(v);
}

int32_t AsInt(intptr_t v) { return static_cast<int32_t>(v); }

}  // namespace

bool CTaskBase::DispatchCommand(uint32_t command, intptr_t a, intptr_t b, intptr_t c, int32_t* out) {
  // Value commands: the operation runs only when there is a place for its result.
  auto value = [out](auto&& operation) {
    if (out) *out = operation();
    return true;
  };

  switch (command) {
    case kCmdInit:
      return Init(AsPointer<ITaskLibrary>(a));
    case kCmdGetInfo:
      return GetInfo(AsInt(a), AsInt(b), AsInt(c), out);
    case kCmdSetupRun:
      return SetupRun(AsPointer<IExpModelTask>(a), b);
    case kCmdGetParamText:
      return value([&] { return GetParamText(AsInt(a), AsInt(b)); });
    case kCmdUnload:
      return OnUnload();
    case kCmdBeginRun:
      return BeginRun(AsPointer<ITaskRunData>(a));
    case kCmdEndRun:
      return EndRun();
    case kCmdShowWarning:
      return ShowWarning();
    case kCmdHideWarning:
      return HideWarning();
    case kCmdPrepareScreen:
      return PrepareScreen(AsPointer<IDDDisplay>(a), b != 0);
    case kCmdDrawToSurface:
      return DrawToSurface(a, AsPointer<IDDDisplay>(b), c);
    case kCmdDrawStimulus:
      return DrawStimulus(AsPointer<CDC>(a), b, c);
    case kCmdShowSignal:
      return ShowSignal(AsPointer<const char>(a), AsPointer<IDDDisplay>(b), c);
    case kCmdHideSignal:
      return HideSignal(AsInt(a));
    case kCmdBreakBegin:
      return value([&] { return OnBreakBegin(); });
    case kCmdBreakEnd:
      return value([&] { return OnBreakEnd(); });
    case kCmdWarningInterval:
      return value([&] { return GetWarningInterval(); });
    case kCmdGetResponse:
      return value([&] { return GetResponse(); });
    case kCmdIsTrialEnded:
      return value([&] { return IsTrialEnded(); });
    case kCmdOnResponse:
      return value([&] { return OnResponse(AsInt(a), AsInt(b)); });
    case kCmdOnNoResponse:
      return value([&] { return OnNoResponse(); });
    case kCmdOnResponseRelease:
      return value([&] { return OnResponseRelease(); });
    case kCmdExtraResponseCount:
      return value([&] { return GetExtraResponseCount(); });
    case kCmdFeedbackOn:
      return FeedbackOn();
    case kCmdFeedbackOff:
      return FeedbackOff();
    case kCmdSetTrial:
      return SetTrial(AsPointer<const char>(a));
    case kCmdCorrectResponse:
      return value([&] { return GetCorrectResponse(AsPointer<const char>(a)); });
    case kCmdClassifyResponse:
      return value([&] { return ClassifyResponse(AsInt(a), AsInt(b)); });
    case kCmdDemonstrate:
      return Demonstrate(AsPointer<ITaskRunData>(a));
    case kCmdComputeVariables:
      return value([&] { return ComputeVariables(AsPointer<ITaskRunData>(a)); });
    case kCmdRunSelfTimed:
      return RunSelfTimed(AsPointer<ITaskRunData>(a));
    default:
      return false;
  }
}

}  // namespace qel
