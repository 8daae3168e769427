// The plug-in QelMAA2 ("Mental Arithmetic Addition Type 2"): two-digit + two-digit sums of 61..99 said
// aloud, timed by the voice key, the answer typed by the operator.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/arith/ui/ArithmeticPage.h"
#include "tasks/plugins/maa2/Maa2Variables.h"

namespace qel {

class CTaskMentalAddition2 final : public CTaskMentalArithmetic {
 public:
  CTaskMentalAddition2() : CTaskMentalArithmetic(maa2::kTables) { m_page = &m_pageObject; }

 private:
  CTaskPageMentalArithmetic m_pageObject;
};

// One spoken answer per problem, timed by the voice key (threshold 10 %); a
// warning cross before each problem; no answer within 10 s is an omission,
// and the problem comes again. The next problem 1500 ms after the answer is
// typed. The problem text in its standard size (TaskParam word 0: 50 %).
const QelModelTask g_ModelDefault = {
    23,
    "MAA2",
    "Mental Arithmetic Addition Type 2",
    {/*TaskType*/ 1, /*TaskFlags*/ kTaskFlagVoiceKey | kTaskFlagExtraWarning | kTaskFlagCountOmissions,
     /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0,
     /*TaskSSS*/ 100 | (10u << kSssVoiceKeyShift) | kSssVoiceKeyOption, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 300, /*VRHigh*/ 10000, /*IntType*/ 1,
     /*IntLow*/ 1500, /*IntHigh*/ 1500},
    {32},
    {arith::kSizeDefault},
};

QEL_TASK_PLUGIN(CTaskMentalAddition2, g_mentalAddition2);

}  // namespace qel
