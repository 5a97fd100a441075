#pragma once

#include "records.h"

#include <optional>

// Local decisions where the evidence is certain; the model never sees these.
namespace Rules {

std::optional<Decision> junkDecision(const ScannedItem& item, bool keepInstallers);
std::optional<Decision> keywordDecision(const ScannedItem& item, const QList<Project>& projects);

} // namespace Rules
