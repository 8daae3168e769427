// The plug-in QelMAA1 ("Mental Arithmetic Addition Type 1"): two-digit + two-digit sums of 22..59 said
// aloud, timed by the voice key, the answer typed by the operator.
#include "taskfw/TaskPlugin.h"
#include "tasks/layers/arith/ui/ArithmeticPage.h"
#include "tasks/plugins/maa1/Maa1Variables.h"

namespace qel {

class CTaskMentalAddition1 final : public CTaskMentalArithmetic {
 public:
  CTaskMentalAddition1() : CTaskMentalArithmetic(maa1::kTables) { m_page = &m_pageObject; }

 private:
  CTaskPageMentalArithmetic m_pageObject;
};

// One spoken answer per problem, timed by the voice key (threshold 10 %); a
// warning cross before each problem; no answer within 10 s is an omission,
// and the problem comes again. The next problem 1500 ms after the answer is
// typed. The problem text in its standard size (TaskParam word 0: 50 %).
const QelModelTask g_ModelDefault = {
    22,
    "MAA1",
    "Mental Arithmetic Addition Type 1",
    {/*TaskType*/ 1, /*TaskFlags*/ kTaskFlagVoiceKey | kTaskFlagExtraWarning | kTaskFlagCountOmissions,
     /*IntrAfterTrials*/ 3, /*IntrContinue*/ 2, /*IntrReplaceTrial*/ 0, /*IntrDummyTrials*/ 0,
     /*TaskSSS*/ 100 | (10u << kSssVoiceKeyShift) | kSssVoiceKeyOption, /*TaskFbk*/ 0, /*TaskVersion*/ 1,
     /*SDType*/ 0, /*SDLow*/ 0, /*SDHigh*/ 0, /*Control*/ 0, /*VRLow*/ 300, /*VRHigh*/ 10000, /*IntType*/ 1,
     /*IntLow*/ 1500, /*IntHigh*/ 1500},
    {32},
    {arith::kSizeDefault},
};

QEL_TASK_PLUGIN(CTaskMentalAddition1, g_mentalAddition1);

}  // namespace qel
