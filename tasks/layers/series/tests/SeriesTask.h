// A series task for the layer's tests (series length 24) and the fakes of
// a host around it: an 800 x 600 display, a record, a run context.
#pragma once

#include <memory>

#include "tasks/layers/series/TaskSeries.h"
#include "tests/support/fakes/FakeTaskSurroundings.h"

namespace qel {

class SeriesTask : public CTaskSeries {
 public:
  static constexpr int kLength = 24;
  SeriesTask();

  using CTaskSeries::m_backColour;
  using CTaskSeries::m_overlayFont;
  using CTaskSeries::m_responseCounter;
  using CTaskSeries::m_seriesLength;
  using CTaskSeries::m_textColour;
};

struct BoundSeriesTask : FakeTaskSurroundings {
  BoundSeriesTask();
  // The init and set-up commands.
  bool InitAndSetup();
  // The part start with the run data.
  bool Begin();

  SeriesTask task;
};

}  // namespace qel
