#pragma once
// What the picture commands share: the document named on the command line
// (or the start-up one), and the numbers their options take.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
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

// What every picture command takes: a document (or none), -o OUT and --size.
struct PictureArgs {
  std::optional<std::string> document;
  std::string output;
  std::optional<PictureSize> size;  // by default a picture's own, else 640 x 480
};

// Asked about every other option, with its value when it is one of the
// command's valued options; returns the usage error, or nothing when taken.
using OptionReader = std::function<std::optional<std::string>(std::string_view option, std::string_view value)>;

// Reads args, printing usage errors as "vorlascope-cli COMMAND: ..."; nothing
// when they were refused. `valued` lists the command's options that take a value.
std::optional<PictureArgs> ParsePictureArgs(std::string_view command, Args args,
                                            std::initializer_list<std::string_view> valued, const OptionReader& read);

// The start-up document when no name is given; raises what LoadDocument does.
CliDocument LoadCliDocument(const std::optional<std::string>& name);

// The size asked for, else the loaded picture's own, else 640 x 480. Raises
// PictureSizeError for a picture's own size past kMaxOwnPictureSide, before
// any work is done for it.
PictureSize SizeToDraw(const CliDocument& loaded, const std::optional<PictureSize>& asked);

// A whole decimal number, all of the text.
std::optional<int> ParseInt(std::string_view text);
// "WIDTHxHEIGHT", both not negative.
std::optional<PictureSize> ParseSize(std::string_view text);

// The height / width of a picture of this size: the aspect a document drawn
// at that size carries.
float AspectOf(PictureSize size);

}  // namespace vorla::cli
