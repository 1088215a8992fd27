#pragma once
// What the picture commands share: the document named on the command line
// (or the start-up one), and the numbers their options take.

#include <optional>
#include <string>
#include <string_view>

#include "core/plot/PlotDocument.h"

namespace vorla::cli {

struct PictureSize {
  int width = 0;
  int height = 0;
};

struct CliDocument {
  PlotDocument document = PlotDocument::StartUp();
  std::optional<float> savedAspect;       // loaded from a file: the aspect it was saved with
  std::optional<PictureSize> pictureSize;  // loaded from a picture: its size, drawn again by default
};

// The start-up document when no name is given; raises what LoadDocument does.
CliDocument LoadCliDocument(const std::optional<std::string>& name);

// A whole decimal number, all of the text.
std::optional<int> ParseInt(std::string_view text);
// "WIDTHxHEIGHT", both not negative.
std::optional<PictureSize> ParseSize(std::string_view text);

// The height / width of a picture of this size: the aspect a document drawn
// at that size carries.
float AspectOf(PictureSize size);

}  // namespace vorla::cli
