#pragma once

#include "reviewlists.h"

#include <QtQml/qqml.h>

// The review tabs as the views name them, e.g. PlanTab.Tab.junk.
namespace PlanTabForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(Review)
QML_NAMED_ELEMENT(PlanTab)
} // namespace PlanTabForeign
