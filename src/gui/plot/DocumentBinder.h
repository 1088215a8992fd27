#pragma once
// The plot document as the window's controls hold it: read from them for
// saving, undo entries and calculations, and shown in them when a document
// is opened or an undo step comes back.

#include <optional>
#include <string>

#include "core/plot/PlotDocument.h"

namespace vorla {

class FilterPicker;
class MainToolBar;
class PaletteAnimation;
class PlotSession;
class PropertiesPanel;
class TGradTable;

class DocumentBinder {
 public:
  DocumentBinder(MainToolBar& toolBar, PropertiesPanel& panel, TGradTable& gradient, PaletteAnimation& animation,
                 FilterPicker& filters, PlotSession& session)
      : toolBar_(toolBar),
        panel_(panel),
        gradient_(gradient),
        animation_(animation),
        filters_(filters),
        session_(session) {}

  // Range fields still showing what the idle update wrote read as its full text.
  PlotDocument Read() const;
  // In the order a document file is read: the gradient switch before the
  // "Bucle" boxes, because switching the gradient off clears both. Returns
  // the message of a palette text the gradient refused (core text).
  std::optional<std::string> Show(const PlotDocument& document);
  // Xmin and Xmax only, as the aspect correction rewrites them.
  void ShowXRange(const PlotDocument& document);

 private:
  MainToolBar& toolBar_;
  PropertiesPanel& panel_;
  TGradTable& gradient_;
  PaletteAnimation& animation_;
  FilterPicker& filters_;
  PlotSession& session_;
};

}  // namespace vorla
