#pragma once
// Perceptually uniform gradients of scientific plotting, as palette strings
// over the picture's gradient entries 4..255: the sequential viridis, magma,
// inferno, plasma and cividis, and the cyclic twilight for pictures that
// wrap round the gradient ("Bucle").

#include <span>
#include <string_view>

namespace vorla {

struct NamedGradient {
  std::string_view name;
  std::string_view palString;
};

// Their nodes were chosen so that the blend between them stays within 2
// units per channel of the published colour map at each of the 252 entries
// (entry e shows the map at (e - 4) / 251, as the map's own lookup picks it).
std::span<const NamedGradient> ScientificGradients();

}  // namespace vorla
