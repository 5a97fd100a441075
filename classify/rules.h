#pragma once

#include "records.h"

#include <optional>

// Local decisions where the evidence is certain; the model never sees these.
namespace Rules {

std::optional<Decision> junkDecision(const ScannedItem& item, bool keepInstallers);
// Reads the file's name and the folders between it and the scan root it was
// found in (an absolute path, as UserFolders::roots gives them).
std::optional<Decision> keywordDecision(const ScannedItem& item, const QList<Project>& projects,
                                        const QStringList& scanRoots);

} // namespace Rules
