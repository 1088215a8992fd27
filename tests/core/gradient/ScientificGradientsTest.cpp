// The seeded scientific gradients against the published colour maps: the
// map's own values (0..1 per channel) at a few of the 252 entries.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/gradient/GradTable.h"
#include "core/gradient/ScientificGradients.h"

namespace vorla {
namespace {

std::string Gradient(std::string_view name) {
  for (const NamedGradient& gradient : ScientificGradients())
    if (gradient.name == name) return std::string(gradient.palString);
  return {};
}

TEST(ScientificGradientsTest, NodesFollowThePublishedMapsWithinTwoUnits) {
  struct Row { const char* map; int entry; int mapIndex; double red, green, blue; };
  // entry e shows map entry floor((e - 4) * size / 251), size 256 (twilight 510)
  const Row rows[] = {
      {"viridis", 4, 0, 0.267004, 0.004874, 0.329415},   {"viridis", 67, 64, 0.229739, 0.322361, 0.545706},
      {"viridis", 130, 128, 0.127568, 0.566949, 0.550556}, {"viridis", 193, 192, 0.369214, 0.788888, 0.382914},
      {"viridis", 255, 255, 0.993248, 0.906157, 0.143936}, {"magma", 4, 0, 0.001462, 0.000466, 0.013866},
      {"magma", 67, 64, 0.316654, 0.071690, 0.485380},    {"magma", 130, 128, 0.716387, 0.214982, 0.475290},
      {"magma", 193, 192, 0.986700, 0.535582, 0.382210},  {"magma", 255, 255, 0.987053, 0.991438, 0.749504},
      {"inferno", 4, 0, 0.001462, 0.000466, 0.013866},    {"inferno", 67, 64, 0.341500, 0.062325, 0.429425},
      {"inferno", 130, 128, 0.735683, 0.215906, 0.330245}, {"inferno", 193, 192, 0.978422, 0.557937, 0.034931},
      {"inferno", 255, 255, 0.988362, 0.998364, 0.644924}, {"plasma", 4, 0, 0.050383, 0.029803, 0.527975},
      {"plasma", 67, 64, 0.494877, 0.011990, 0.657865},   {"plasma", 130, 128, 0.798216, 0.280197, 0.469538},
      {"plasma", 193, 192, 0.973416, 0.585761, 0.251540}, {"plasma", 255, 255, 0.940015, 0.975158, 0.131326},
      {"cividis", 4, 0, 0.000000, 0.135112, 0.304751},    {"cividis", 67, 64, 0.263738, 0.307831, 0.422789},
      {"cividis", 130, 128, 0.488697, 0.485318, 0.471008}, {"cividis", 193, 192, 0.736488, 0.680629, 0.424028},
      {"cividis", 255, 255, 0.995737, 0.909344, 0.217772}, {"twilight", 4, 0, 0.885750, 0.850009, 0.887974},
      {"twilight", 67, 128, 0.383122, 0.457063, 0.729846}, {"twilight", 130, 256, 0.187745, 0.077252, 0.213874},
      {"twilight", 193, 384, 0.703162, 0.347187, 0.324089}, {"twilight", 255, 509, 0.885712, 0.850022, 0.885725},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.map) + " at entry " + std::to_string(r.entry));
    TGradTable table;
    table.SetStartCol(4);
    table.SetPalString(Gradient(r.map));
    const auto entry = static_cast<std::uint8_t>(r.entry);
    EXPECT_NEAR(table.Red(entry), std::lround(r.red * 255), 2);
    EXPECT_NEAR(table.Green(entry), std::lround(r.green * 255), 2);
    EXPECT_NEAR(table.Blue(entry), std::lround(r.blue * 255), 2);
  }
  EXPECT_EQ(ScientificGradients().size(), 6u);
}

}  // namespace
}  // namespace vorla
