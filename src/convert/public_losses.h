// An export's tally of losses as the public API gives it: one entry per
// kind that occurred, with the line the tools write for it.
#pragma once

#include <vector>

#include <morlune/convert.h>

#include "convert/loss_report.h"

namespace morlune {

std::vector<Loss> LossesOf(const convert::LossReport& report);

}  // namespace morlune
