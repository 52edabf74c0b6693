#pragma once
// Paints the pick-up monitor's picture: frame, ignitions, levels, edges,
// dimensions, title and the colour boxes' labels.
#include <QImage>
#include <QRect>
#include <array>
#include <optional>

#include "core/monitor/pickup_dimension.h"
#include "core/monitor/pickup_model.h"
#include "ui/monitor/pickup_form.h"

namespace ign {

struct PickupPaintResult {
  std::array<QRect, CDimensionList::kCapacity> labelRects{};  // the stored dimensions' labels
};

// The horizontal scale of the drawing (pixels per degree or ms).
double PickupScale(const TFormMon& form, const PickupCurves& curves);

PickupPaintResult PaintPickup(QImage& image, TFormMon& form, const PickupModel& model,
                              const std::optional<Dimension>& live);

}  // namespace ign
