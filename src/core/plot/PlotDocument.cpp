#include "core/plot/PlotDocument.h"

#include "core/gradient/GradTable.h"

namespace vorla {

PlotDocument PlotDocument::StartUp() {
  PlotDocument d;
  d.Func = "Sen(x+y)+r+w";
  d.Ani = true;
  d.Vel = 1;
  d.Gra = true;
  // The blend entry 3 receives from the design's gradient before the
  // gradient range moves to 4.
  d.ColFun = 0x040000;
  d.ColMin = 0x000000;
  d.ColFon = 0x606060;
  d.BucMin = false;
  d.Zmin = "-Pi";
  d.ColGra = "37B7B7FF66FFFFFF96FFD5D5D580FFFF";
  d.Xmin = "-Pi*3";
  d.Ymin = "-Pi*3";
  d.Xmax = "Pi*3";
  d.Ymax = "Pi*3";
  d.ColMax = 0xFFFFFF;
  d.BucMax = true;
  d.Zmax = "Pi";
  return d;
}

PlotDocument PlotDocument::FileDefaults() {
  PlotDocument d;
  d.Ani = false;
  d.Vel = 1;
  d.Gra = true;
  d.ColFun = 0x0000FF;
  d.ColMin = 0x000000;
  d.ColFon = 0xC0C0C0;
  d.BucMin = false;
  d.Zmin = "-Pi";
  d.ColGra = "06FF00008000FFFF";
  // The x defaults are swapped on purpose: old files without them show the
  // plane mirrored left to right, and must keep doing so.
  d.Xmin = "Pi";
  d.Ymin = "-Pi";
  d.Xmax = "-Pi";
  d.Ymax = "Pi";
  d.ColMax = 0xFFFFFF;
  d.BucMax = false;
  d.Zmax = "Pi";
  return d;
}

void ApplyDocumentColors(TGradTable& table, const PlotDocument& document) {
  table.SetColors(3, document.ColFun);
  table.SetColors(1, document.ColMin);
  table.SetColors(2, document.ColMax);
  table.SetColors(0, document.ColFon);
  table.SetPalString(document.ColGra);
}

Palette DocumentPalette(const PlotDocument& document) {
  TGradTable table;
  table.SetStartCol(4);
  ApplyDocumentColors(table, PlotDocument::StartUp());
  ApplyDocumentColors(table, document);
  return table.Palette();
}

}  // namespace vorla
