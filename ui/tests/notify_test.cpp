#include <gtest/gtest.h>

#include <thread>

#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/QelNotify.h"

namespace qel {

TEST(QelNotify, SentIsHandledAtOnceWithItsReplyPostedWaitsForTheQueue) {
  NotifyRecorder* target = new NotifyRecorder;
  target->m_reply = [](int code) { return intptr_t{code * 2}; };
  EXPECT_EQ(qel::SendNotify(target, 21, 7), 42);
  ASSERT_EQ(target->m_entries.size(), 1u);

  qel::PostNotify(target, 131, 0);
  EXPECT_EQ(target->m_entries.size(), 1u);
  NotifyRecorder::Drain();
  ASSERT_EQ(target->m_entries.size(), 2u);
  EXPECT_EQ(target->m_entries[1], (NotifyRecorder::Entry{131, 0}));
  target->Destroy();
}

TEST(QelNotify, NoTargetIsNoReply) {
  EXPECT_EQ(qel::SendNotify(nullptr, 4, 0), 0);
  qel::PostNotify(nullptr, 4, 0);  // nothing happens
}

TEST(QelNotify, PostedFromAnotherThreadArrivesInOrder) {
  NotifyRecorder* target = new NotifyRecorder;
  std::thread worker([target] {
    for (int i = 0; i < 50; ++i) qel::PostNotify(target, 14, i);
  });
  worker.join();
  NotifyRecorder::Drain();
  ASSERT_EQ(target->m_entries.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(target->m_entries[i].payload, i);
  target->Destroy();
}

}  // namespace qel
