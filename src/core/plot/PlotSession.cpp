#include "core/plot/PlotSession.h"

#include "core/expr/Expresion.h"
#include <algorithm>
#include <utility>

namespace vorla {

PlotSession::PlotSession() {
  expressions_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

PlotExpressions::Field PlotSession::ExpressionOf(RangeField field) const {
  constexpr PlotExpressions::Field kFields[] = {PlotExpressions::kYmin, PlotExpressions::kXmin, PlotExpressions::kXmax,
                                                PlotExpressions::kYmax};
  return kFields[field];
}

void PlotSession::Compile(const PlotDocument& document) {
  PlotDocument full = document;
  full.Xmin = RangeText(kXmin, document.Xmin);
  full.Ymin = RangeText(kYmin, document.Ymin);
  full.Xmax = RangeText(kXmax, document.Xmax);
  full.Ymax = RangeText(kYmax, document.Ymax);
  expressions_.Compile(full);
}

std::string PlotSession::CompileErrors() const {
  const auto failure = expressions_.CheckExpressions();
  return failure ? failure->message : std::string();
}

float PlotSession::RangeValue(RangeField field) { return expressions_.Expression(ExpressionOf(field)).GetValue(); }

void PlotSession::SetRangeText(RangeField field, const std::string& fullText, const std::string& shownText) {
  expressions_.Expression(ExpressionOf(field)).SetText(fullText);
  shownRangeText_[field] = shownText;
}

std::string PlotSession::RangeText(RangeField field, const std::string& fieldText) {
  if (shownRangeText_[field].empty() || fieldText != shownRangeText_[field]) return fieldText;
  return expressions_.Expression(ExpressionOf(field)).Text();
}

std::unique_ptr<PlotSession::Job> PlotSession::NewJob(const Bitmap& picture, std::vector<PixelRect> rects,
                                                     const ViewBounds& view, const IndexSettings& settings) const {
  auto job = std::make_unique<Job>();
  job->picture = picture;
  job->expressions_ = expressions_.Copy();
  job->expressions_->SetView(view);
  job->stats_ = stats_;
  job->rects_ = std::move(rects);
  if (job->rects_.empty()) job->rects_.push_back(PixelRect{});
  job->view_ = view;
  job->settings_ = settings;
  return job;
}

bool PlotSession::Job::Run(const JobContext& context) {
  const auto rowsOf = [this](const PixelRect& rect) {
    if (rect.top == rect.bottom) return picture.Height();
    return std::clamp(std::max(rect.top, rect.bottom), 0, picture.Height()) -
           std::clamp(std::min(rect.top, rect.bottom), 0, picture.Height());
  };
  int total = 0;
  for (const PixelRect& rect : rects_) total += rowsOf(rect);
  int before = 0;
  for (const PixelRect& rect : rects_) {
    RowProgress progress;
    if (context.progress) progress = [&](int done, int) { context.progress(before + done, total); };
    if (CalculateIndexed(picture, rect, view_, settings_, *expressions_, stats_, progress, 0, context.stop) ==
        CalculationEnd::kStopped)
      return false;
    before += rowsOf(rect);
  }
  return true;
}

const PictureStats& PlotSession::Finish(const Job& job) {
  stats_ = job.stats_;
  expressions_.SetView(job.view_);
  expressions_.BeginPicture(job.view_, stats_.stepX, stats_.stepY);
  expressions_.EndPicture(stats_.shownMin, stats_.shownMax);
  return stats_;
}

Probe PlotSession::ProbeAt(double x, double y) {
  return expressions_.EvaluateAt(static_cast<float>(x), static_cast<float>(y));
}

const TFunctionList& PlotSession::Functions(PlotExpressions::Field field) {
  return expressions_.Expression(field).Functions();
}

}  // namespace vorla
