// The window's plot session: range texts written back after a mouse zoom,
// progress reports, probes; and the millisecond stopwatch.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stop_token>
#include <string>
#include <vector>

#include "core/plot/PlotSession.h"

namespace vorla {
namespace {

// The window's modified flag follows these notices.
TEST(PlotSessionTest, ReportsEachChangedTextOnce) {
  PlotSession session;
  int notices = 0;
  session.OnChange = [&notices] { ++notices; };
  PlotDocument document = PlotDocument::StartUp();
  session.Compile(document);
  EXPECT_EQ(notices, 7) << "every text is new";
  session.Compile(document);
  EXPECT_EQ(notices, 7) << "unchanged texts";
  document.Zmin = std::string("-1");
  document.Ymax = std::string("2");
  session.Compile(document);
  EXPECT_EQ(notices, 9);
}

TEST(PlotSessionTest, AFieldShowingSixDigitsCompilesAsTheFullText) {
  PlotSession session;
  PlotDocument document = PlotDocument::StartUp();
  session.SetRangeText(PlotSession::kXmin, "-1.23456789012345", "-1.23457");
  struct Row { const char* name; const char* field; const char* stored; };
  const Row rows[] = {
      {"field as the idle update left it", "-1.23457", "-1.23456789012345"},
      {"field the user changed", "-1.2", "-1.2"},
      {"field the user changed back by hand to other text", "-1.234570", "-1.234570"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(session.RangeText(PlotSession::kXmin, row.field), row.stored);
  }
  EXPECT_EQ(session.RangeText(PlotSession::kXmax, "-1.23457"), "-1.23457") << "other fields are not affected";

  document.Xmin = "-1.23457";
  session.Compile(document);
  EXPECT_EQ(session.RangeBounds().left, -1.23456789012345f);
}

TEST(PlotSessionTest, ProgressEndsAtOneHundredPercent) {
  struct Row { const char* name; int width, height; std::vector<int> percents; };
  const Row rows[] = {
      {"one pixel", 1, 1, {100}},
      {"four rows", 3, 4, {25, 50, 75, 100}},
      {"three rows round to nearest", 2, 3, {33, 67, 100}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PlotSession session;
    session.Compile(PlotDocument::StartUp());
    Bitmap picture(row.width, row.height);
    std::vector<int> seen;
    const auto job = session.NewJob(picture, {}, ViewBounds{-1, -1, 1, 1}, IndexSettings{});
    {
      CalculationService service({[&seen](JobId, int percent) { seen.push_back(percent); }, {}});
      service.Submit([&job](const JobContext& context) { return job->Run(context); });
      service.WaitIdle();
    }
    // Rows done on other threads are reported with the calling thread's
    // next one, so some steps may be skipped, never reordered.
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::includes(row.percents.begin(), row.percents.end(), seen.begin(), seen.end()))
        << ::testing::PrintToString(seen);
  }
}

// A job calculates on copies: the session's statistics change only when it
// is finished, and a stopped one leaves them alone.
TEST(PlotSessionTest, JobsTouchTheSessionOnlyWhenFinished) {
  PlotSession session;
  PlotDocument document = PlotDocument::StartUp();
  document.Func = std::string("x");  // assigning a literal trips a false -Wrestrict in GCC 12
  session.Compile(document);
  const Bitmap picture(4, 2);
  const auto stopped = session.NewJob(picture, {}, ViewBounds{0, 0, 4, 2}, IndexSettings{});
  std::stop_source stop;
  stop.request_stop();
  EXPECT_FALSE(stopped->Run({stop.get_token(), {}}));
  const auto job = session.NewJob(picture, {}, ViewBounds{0, 0, 4, 2}, IndexSettings{});
  EXPECT_TRUE(job->Run({}));
  EXPECT_EQ(session.LastStats().foundMax, PictureStats{}.foundMax) << "not before Finish";
  EXPECT_EQ(session.Finish(*job).foundMax, 3);
  EXPECT_EQ(session.LastStats().foundMin, 0);
  EXPECT_EQ(job->picture.Row(0)[3], 6 + 243) << "the job's own picture: x = 3 is level 243 of -Pi..Pi";
}

// A pan's strips are one job: each strip gets the bytes the whole picture
// has there, and the rest of the shifted picture is left alone.
TEST(PlotSessionTest, AJobCalculatesItsRectanglesOneAfterTheOther) {
  PlotSession session;
  PlotDocument document = PlotDocument::StartUp();
  document.Func = std::string("x*y");
  session.Compile(document);
  const ViewBounds view{-2, -1, 3, 2};
  const auto whole = session.NewJob(Bitmap(9, 7), {}, view, IndexSettings{});
  ASSERT_TRUE(whole->Run({}));
  Bitmap shifted(9, 7);
  std::memset(shifted.Data(), 77, static_cast<std::size_t>(shifted.Stride()) * 7);
  const auto strips = session.NewJob(shifted, {{0, 0, 9, 2}, {6, 2, 9, 7}}, view, IndexSettings{});
  ASSERT_TRUE(strips->Run({}));
  for (int row = 0; row < 7; ++row)
    for (int column = 0; column < 9; ++column) {
      const bool inStrip = row < 2 || column >= 6;
      EXPECT_EQ(strips->picture.Row(row)[column], inStrip ? whole->picture.Row(row)[column] : 77)
          << row << "," << column;
    }
}

TEST(PlotSessionTest, ProbeReportsValueOrError) {
  PlotSession session;
  PlotDocument document = PlotDocument::StartUp();
  document.Func = "x+2*y";
  session.Compile(document);
  Probe probe = session.ProbeAt(3, 4);
  EXPECT_FALSE(probe.hasError);
  EXPECT_FLOAT_EQ(probe.f, 11);
  EXPECT_FLOAT_EQ(probe.r, 5);
  EXPECT_FLOAT_EQ(probe.zmax, 3.14159265f);

  document.Func = "ln(x)";
  session.Compile(document);
  probe = session.ProbeAt(-1, 0);
  EXPECT_TRUE(probe.hasError);
  EXPECT_FALSE(probe.errorText.empty());
}

}  // namespace
}  // namespace vorla
