#include "core/mapedit/normalise.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ign {

namespace {

using Wide = int64_t;

int32_t Narrow(Wide v) {
  return static_cast<int32_t>(
      std::clamp<Wide>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

class Normaliser {
 public:
  explicit Normaliser(CAxe& axis)
      : a_(axis),
        n_(axis.count),
        step_(std::max<Wide>(axis.step, 1)),
        min_(axis.minimum),
        max_(axis.maximum) {}

  Wide V(int i) const { return a_.values[static_cast<std::size_t>(i)]; }
  void Set(int i, Wide v) { a_.values[static_cast<std::size_t>(i)] = Narrow(v); }

  // Moves neighbour i to v, remembering its home value the first time.
  void Push(int i, Wide v) {
    const auto k = static_cast<std::size_t>(i);
    if (!a_.pushed[k]) {
      a_.pushed[k] = 1;
      a_.homeValues[k] = a_.values[k];
    }
    Set(i, v);
  }

  void SinglePoint(int b) {
    // Raise to the lowest place the point can take, push the lower neighbours.
    Set(b, std::max(V(b), min_ + b * step_));
    for (int i = b - 1; i >= 0; --i) {
      if (V(i) > V(i + 1) - step_) Push(i, V(i + 1) - step_);
    }
    // Lower to the highest place it can take, push the upper neighbours.
    Set(b, std::min(V(b), max_ - (n_ - b - 1) * step_));
    for (int i = b + 1; i < n_; ++i) {
      if (V(i) < V(i - 1) + step_) Push(i, V(i - 1) + step_);
    }
    SpringBack();
  }

  void SpringBack() {
    for (int pass = 0; pass < n_; ++pass) {
      for (int i = 0; i < n_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!a_.pushed[k]) continue;
        const Wide home = a_.homeValues[k];
        if (V(i) < home) {
          const Wide ceiling = i == n_ - 1 ? home : std::min(home, V(i + 1) - step_);
          Set(i, std::max(V(i), ceiling));
        } else if (V(i) > home) {
          const Wide floor = i == 0 ? home : std::max(home, V(i - 1) + step_);
          Set(i, std::min(V(i), floor));
        }
        if (V(i) == home) a_.pushed[k] = 0;
      }
    }
  }

  void SeveralPoints(int reference) {
    for (int i = 0; i < n_; ++i) {
      Set(i, std::max(V(i), min_ + i * step_));
      Set(i, std::min(V(i), max_ - (n_ - 1 - i) * step_));
    }
    for (int i = reference - 1; i >= 0; --i) Set(i, std::min(V(i), V(i + 1) - step_));
    for (int i = 1; i < n_; ++i) Set(i, std::max(V(i), V(i - 1) + step_));
  }

 private:
  CAxe& a_;
  int n_;
  Wide step_, min_, max_;
};

void SizeArrays(CAxe& axis) {
  const std::size_t n = axis.values.size();
  axis.pointFlags.resize(n, 0);
  axis.savedValues.resize(n, 0);
  axis.homeValues.resize(n, 0);
  axis.pushed.resize(n, 0);
}

}  // namespace

void ClampCounts(CAxe& axis) {
  SizeArrays(axis);
  axis.capacity = std::clamp(axis.capacity, 0, static_cast<int>(axis.values.size()));
  axis.minCount = std::clamp(axis.minCount, std::min(1, axis.capacity), axis.capacity);
  axis.count = std::clamp(axis.count, axis.minCount, axis.capacity);
}

void NormaliseAxis(CAxe& axis, bool reset) {
  ClampCounts(axis);
  const int n = axis.count;
  Normaliser work(axis);

  int changed = 0;
  int edited = kNoEditedPoint;
  if (reset) {
    axis.ForgetElasticMemory();
  } else {
    for (int i = 0; i < n; ++i) {
      if (axis.values[static_cast<std::size_t>(i)] == axis.savedValues[static_cast<std::size_t>(i)]) continue;
      if (changed++ == 0) edited = i;
    }
    // The memory belongs to edits of one point: another point, or several
    // points at once, start afresh. Nothing changed keeps it.
    if (changed > 0 && (edited != axis.lastEdited || changed > 1)) axis.ForgetElasticMemory();
  }

  if (changed == 1) {
    work.SinglePoint(edited);
  } else {
    work.SeveralPoints(edited >= 0 ? edited : 0);
  }

  std::copy(axis.values.begin(), axis.values.end(), axis.savedValues.begin());
  if (reset) {
    axis.lastEdited = kNoEditedPoint;
  } else if (edited >= 0) {
    axis.lastEdited = edited;
  }
}

void ClampData(CSheet& sheet) {
  CAxe& d = sheet.data;
  if (d.values.size() < static_cast<std::size_t>(kMaxCells)) d.values.resize(kMaxCells, 0);
  const int columns = sheet.UsedColumns();
  const int rows = sheet.UsedRows();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      int32_t& v = sheet.Cell(c, r);
      v = std::max(std::min(v, d.maximum), d.minimum);
    }
  }
}

}  // namespace ign
