#pragma once
// A page's EQ graph as JSON for the browser: each curve's points (frequency, dB) worked out by the
// desktop graph's response math, its colour and its bands' handles, and on the System page the
// crossover overlay.

#include "eq/math/PageCurves.h"
#include "model/ParameterImage.h"

#include <nlohmann/json.hpp>

namespace tonel::web {

nlohmann::json curvesJson(GraphPage page, const ParameterImage& image);

}  // namespace tonel::web
