#pragma once
// Range and order clamps over runs of image values.
#include "core/params/image.h"

namespace ign {

// mode: -1 descending, 0 no order, +1 ascending (any sign of the value counts);
// 99 and above mean signed values with 100 subtracted first.
void ClampRange(Image& img, int mode, int base, int index, int minimum, int maximum, int count, int step);
void ClampRangeW(Image& img, int mode, int wordBase, int index, int minimum, int maximum, int count,
                 int step);

// Columns used..14 of every row of the 10 x 15 map at base take the value of column used-1.
void FillUnusedColumns(Image& img, int base, int used);

}  // namespace ign
