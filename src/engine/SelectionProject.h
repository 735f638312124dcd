#pragma once
// A selection as a project record and back: what the window's Save and Open
// and the command line's --save-project and --project share.

#include "engine/BrisaProjectIO.h"

#include <functional>
#include <optional>

namespace aw {

class CTSelectionModel;

// The record of the picked solution with its inputs and used options (the
// option lists are refilled first); none without a picked unit (message 57).
std::optional<CTBrisaProjectData> ProjectOfSelection(CTSelectionModel& model);

// Puts a read record into the model: the requirements, the family with its
// ranges, the conditions and choices, then the stored unit and speed pair
// when the selection still offers it (else the first row stays picked),
// the Pelmar-MF discharge once the unit's range is known, and the options.
// Adjust (when given) changes inputs after the stored ones are in, before the selection runs.
void ApplyProject(CTSelectionModel& model, const CTBrisaProjectData& data, const std::function<void()>& Adjust = {});

} // namespace aw
