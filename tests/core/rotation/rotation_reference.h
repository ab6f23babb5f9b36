#pragma once
#include <QImage>
#include <QRgb>

// A plain, unoptimised implementation of the area-weighted resampling, kept beside the tests
// as the yardstick for the engine: it builds the corner grid by intersecting the lines
// through the edge points, clips every source pixel's quadrilateral against every target
// cell it touches, accumulates the covered areas and finishes each cell, one step at a time.

namespace kesto::test {

// The corners of a width x height picture turned by angle degrees, moved to start at 0.
void ReferenceCorners(int width, int height, double angle, double xs[4], double ys[4]);

// Resamples source onto the quadrilateral of target; target's pixels are the background.
// False for a degenerate shape.
bool ReferenceResample(const QImage &source, QImage &target, const double xs[4], const double ys[4]);

// The turned picture on a background of the given colour.
QImage ReferenceRotate(const QImage &source, double angle, QRgb background = 0);

// The exact area of a convex quadrilateral (either orientation) inside the unit cell, by
// clipping it against the cell's four sides in turn.
double ExactCellArea(const double qx[4], const double qy[4]);

} // namespace kesto::test
