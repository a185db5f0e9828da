// Which external the command-line host loads: figPlotU unless --external names another.
#pragma once

#include <memory>
#include <string>

#include "figsim.h"

namespace figcli {

// "figPlotU" and "figPlot" name the builds made beside this program; anything else is a path.
std::string ExternalPath(const std::string &choice);
// Loads the chosen external; null with the reason reported on stderr.
std::unique_ptr<figsim::External> LoadExternal(const std::string &choice);

}  // namespace figcli
