#pragma once

#include "records.h"

// A plan like a real refresh leaves behind, over real files under HOME:
// photos and documents with real pixels, renames, junk groups of several
// sizes (one past the 200 rows a group lists), duplicates and files that
// need the user, five of them for a project not yet known. An item's id is
// its place in the plan.
struct TestPlan {
    struct Counts {
        int organize = 0;
        int rename = 0;
        int junk = 0;
        int needs = 0;
    };

    TestPlan();

    QList<PlanItem> items;
    Counts counts;
};
