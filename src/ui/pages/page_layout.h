#pragma once
// Small layout helpers shared by the pages.
#include <QGridLayout>
#include <QLabel>
#include <QSizePolicy>

namespace ign {

// A label in front of its control: the label names the control for screen
// readers (its buddy) and moves the focus to it by its accelerator.
inline void AddLabelled(QGridLayout* grid, int row, int column, QLabel* label, QWidget* control) {
  label->setBuddy(control);
  grid->addWidget(label, row, column);
  grid->addWidget(control, row, column + 1);
}

// A control that keeps its place while hidden, so the page does not jump.
inline void KeepPlace(QWidget* w) {
  QSizePolicy p = w->sizePolicy();
  p.setRetainSizeWhenHidden(true);
  w->setSizePolicy(p);
}

}  // namespace ign
