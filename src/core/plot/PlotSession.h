#pragma once
// The plot as the main window holds it: the seven expressions with their
// environments, the statistics that carry over between calculations, and the
// range texts the window writes back after a mouse zoom (with 15 digits in
// the expression while the field shows 6).

#include <array>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>

#include <vector>

#include "core/io/Bitmap.h"
#include "core/plot/CalculationService.h"
#include "core/plot/Navigation.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {

class TFunctionList;

class PlotSession {
 public:
  // The range fields in the order the idle update walks them.
  enum RangeField { kYmin, kXmin, kXmax, kYmax };

  PlotSession();

  // Called whenever any of the seven texts compiles anew.
  std::function<void()> OnChange;

  // Compiles the document's texts; a range text still showing what
  // SetRangeText put in its field compiles as the full text.
  void Compile(const PlotDocument& document);
  // The message of the failing expression to report; empty when all compiled.
  std::string CompileErrors() const;
  ViewBounds RangeBounds() { return expressions_.EvaluateRange(); }

  float RangeValue(RangeField field);
  void SetRangeText(RangeField field, const std::string& fullText, const std::string& shownText);
  // The text to store for a range field showing fieldText.
  std::string RangeText(RangeField field, const std::string& fieldText);
  // The fields were given texts of their own (a document was loaded).
  void ForgetRangeTexts() { shownRangeText_ = {}; }

  // The aspect correction of a document about to be loaded (see
  // PlotExpressions::CorrectAspect); true when it rewrote Xmin and Xmax.
  bool CorrectAspect(PlotDocument& document, float savedAspect, float currentAspect) {
    return expressions_.CorrectAspect(document, savedAspect, currentAspect);
  }

  const PictureStats& LastStats() const { return stats_; }

  // A calculation detached from the session: it owns copies of the
  // expressions, the statistics and the picture, so that it may run on
  // another thread while the session goes on compiling and answering
  // readouts. It fills its rectangles of the picture one after the other
  // (the whole picture when there are none, or for one with top == bottom).
  class Job {
   public:
    // A CalculationService job: on any thread, counting the rows of all the
    // rectangles; true once they are all done, false when stopped.
    bool Run(const JobContext& context);

    Bitmap picture;  // the calculated picture, for the caller to take

   private:
    friend class PlotSession;
    std::unique_ptr<PlotExpressions> expressions_;
    PictureStats stats_;
    std::vector<PixelRect> rects_;
    ViewBounds view_;
    IndexSettings settings_;
  };
  // Calculating rects of a copy of picture for the view.
  std::unique_ptr<Job> NewJob(const Bitmap& picture, std::vector<PixelRect> rects, const ViewBounds& view,
                              const IndexSettings& settings) const;
  // Takes over the statistics and the shown range of a job that ran to its
  // end, which the environment values (minZ, fX...) report from now on.
  const PictureStats& Finish(const Job& job);

  Probe ProbeAt(double x, double y);
  const TExpresion& Expression(PlotExpressions::Field field) { return expressions_.Expression(field); }

  // The names expression `field` can use.
  const TFunctionList& Functions(PlotExpressions::Field field);

 private:
  PlotExpressions::Field ExpressionOf(RangeField field) const;

  PlotExpressions expressions_;
  PictureStats stats_;
  std::array<std::string, 4> shownRangeText_;
};

}  // namespace vorla
