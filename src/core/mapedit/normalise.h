#pragma once
// Keeping axes ordered and cells inside their limits.
#include "core/mapedit/axe.h"
#include "core/mapedit/sheet.h"

namespace ign {

// Brings capacity, minimum count and count of an axis back into their
// ranges (capacity <= stored values, 1 <= minimum count <= capacity,
// minimum count <= count <= capacity).
void ClampCounts(CAxe& axis);

// Keeps the first count values strictly rising by at least step inside
// minimum .. maximum, with elastic neighbours:
//  - reset forgets the elastic memory and treats every point as changed
//    (reference point 0); the last edited index becomes kNoEditedPoint;
//  - otherwise the points that differ from the saved values are the edit.
//    One changed point pushes the neighbours it runs into (remembering where
//    they were) and lets pushed neighbours spring back towards those home
//    values, as long as the same point is edited again; editing another
//    point, or several points at once, forgets the memory.
// Values beyond count are left as they are. Ends with the values saved.
void NormaliseAxis(CAxe& axis, bool reset);

// Clamps every used cell into the data minimum .. maximum.
void ClampData(CSheet& sheet);

}  // namespace ign
