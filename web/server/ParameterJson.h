#pragma once
// The image and the catalog as JSON, the one form every client of the service reads.

#include "model/ParameterCatalog.h"
#include "model/ParameterImage.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <vector>

namespace tonel::web {

// {"name", "raw", "value", "unit", "text"}: value is a number, or the text of a choice; unit is
// null for a plain number or a choice.
nlohmann::json parameterEntry(const Parameter& parameter, const ParameterImage& image);
nlohmann::json parameterEntries(const ParameterImage& image);
// The entries of the bytes that differ between two images.
nlohmann::json changedEntries(const ParameterImage& before, const ParameterImage& after);

// The catalog: name, group, page, offset, range, default, kind, unit and, for choices, the texts.
nlohmann::json catalogJson();

// The panel's page that shows a group: "effect", "microphone", "music" or "system".
const char* pageOfGroup(const std::string& group);

}  // namespace tonel::web
