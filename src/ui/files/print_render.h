#pragma once
// Draws the window onto a sheet: its client area (central widget and status
// bar, no menu bar) rendered by the widgets themselves onto the sheet's
// painter, scaled to the printable area with its aspect kept and centred
// below the header line. On a PDF writer texts stay texts and lines stay
// lines; widgets rendered straight onto a printer device come out as the
// toolkit's bitmaps of them, so printers get the drawing recorded first.
#include <QMainWindow>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace ign {

// Where a picture of a size goes in an area: the largest scale that fits,
// centred. A picture or area without size gives scale 0.
struct PlacedPicture {
  double scale = 0;
  double x = 0, y = 0;  // top-left of the scaled picture
};
PlacedPicture FitPicture(double pictureWidth, double pictureHeight, const QRectF& area);

// The window's client area in window coordinates.
QRect ClientArea(const QMainWindow& window);

// Draws the header line at the top of area and the window's client area in
// the rest; the painter's state is kept.
void RenderSheet(QPainter& painter, const QRectF& area, QMainWindow& window, const QString& header);

// The same, recorded into a picture at screen resolution and played back
// onto the painter's device: printers and the print preview get lines and
// texts instead of a bitmap of every widget at the printer's resolution.
void RenderSheetRecorded(QPainter& painter, const QRectF& area, QMainWindow& window, const QString& header);

}  // namespace ign
