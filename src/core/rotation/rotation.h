#pragma once
#include <QImage>
#include <QRgb>
#include <QtGlobal>
#include <array>
#include <functional>
#include <span>
#include <vector>

// The card image rotation engine: turns a picture by any angle with exact area weighting.
// Every source pixel is a unit square; it is mapped onto the target and each target pixel
// receives the source colours weighted by the area they cover of it. Quarter and half turns
// are therefore pure pixel permutations; other angles give a smooth picture whose edges
// blend with the background.
//
// Pictures are QImage objects read and written as 32-bit pixels (Format_RGB32); the fourth
// byte of a pixel carries no colour. The engine keeps no state between calls and is
// re-entrant: a progress hook may even start another rotation.

namespace kesto {

// Called after every source column with the fraction of columns done, the number of columns
// done and the number of columns. A non-zero answer stops the resampling; the target then
// keeps only its background.
using RotationHook = std::function<qint32(double fraction, qint32 columnsDone, qint32 columnCount)>;

struct RotationPoint
{
    double x = 0.0;
    double y = 0.0;
};

// Four corners in order: 0 receives the source's top-left corner, 1 its top-right, 2 its
// bottom-right and 3 its bottom-left.
using RotationQuad = std::array<RotationPoint, 4>;

// The cosine of an angle in degrees; whole multiples of 30 degrees from 0 to 360 give exact
// table values, so quarter and half turns carry no rounding noise.
double CosDeg(double angle);

// Floor and ceiling that treat a value within 1e-9 of a whole number as that number.
// Results are saturated to the 32-bit range; NaN gives 0.
qint32 SnapFloor(double x);
qint32 SnapCeiling(double x);

double MinOf(double a, double b);
double MaxOf(double a, double b);

// Rounds to the nearest whole number (a half goes to the even neighbour) and clamps to 0..255.
quint8 ClampToByte(double x);

// True when p lies inside the convex quadrilateral or on its edge.
bool IsInsideQuadrilateral(const RotationQuad &cellQuad, RotationPoint p);

// Orders the candidate vertices of a clipped convex polygon as a fan of vectors from the
// first candidate, in angular order. Candidates that repeat the first one are left out.
// Returns the number of vectors written (at most clipPoints.size() - 1, bounded by
// fanVectors.size()); fewer than three candidates give none.
int OrderClipPolygon(std::span<const RotationPoint> clipPoints, std::span<RotationPoint> fanVectors);

// The area of the polygon whose fan vectors OrderClipPolygon produced.
double ClipPolygonArea(std::span<const RotationPoint> fanVectors);

// The area (0 to 1) of the intersection of a convex quadrilateral with the unit cell
// (0, 0)-(1, 1).
double CellCoverage(const RotationQuad &cellQuad);

// Fills cornerGrid with the target position of every source pixel corner (j, k) of a
// width x height source, at index j + k * (width + 1). False for a degenerate target shape
// (an edge of zero length, lines that do not meet) or arrays that do not hold four corners.
bool BuildCornerGrid(qint32 width, qint32 height, std::span<const double> xs, std::span<const double> ys,
                     std::vector<RotationPoint> &cornerGrid);

// Resamples source onto the quadrilateral (xs, ys) of target with area weighting; the
// target's existing pixels are the background. False when the corner arrays do not hold
// four values, either picture is empty, the shape is degenerate, the working storage cannot
// be had, or the hook stopped the work (the target is then unchanged).
bool ResampleIntoBitmap(const QImage &source, QImage &target, std::span<const double> xs, std::span<const double> ys,
                        const RotationHook &hook = {});

// A new picture of the rounded-up size of the quadrilateral, filled with the background and
// resampled into. Nothing (a null image) when the arrays do not hold four values, a corner
// is not a finite number, or the target cannot be allocated.
QImage RenderToQuadrilateral(const QImage &bitmap, std::span<const double> xs, std::span<const double> ys,
                             const RotationHook &hook = {}, QRgb background = 0);

// The picture turned by angle degrees about its middle (positive angles turn it
// anticlockwise on the screen). Nothing for an empty picture or an angle that is not a
// finite number. The background colour's alpha is ignored.
QImage RotateBitmap(const QImage &bitmap, double angle, const RotationHook &hook = {}, QRgb background = 0);

// The reading screens' entry point: nothing for a picture that is not a bitmap (a null
// image), otherwise RotateBitmap. The source picture is never changed.
QImage RotatePicture(const QImage &picture, double angle, const RotationHook &hook = {}, QRgb background = 0);

// The hook both reading screens pass: after every source column it lets pending window
// events run through yieldToEvents and answers cancelRotation as it stands then (0 goes
// on). The flag must outlive the rotation the hook is used for.
RotationHook RotationProgress(std::function<void()> yieldToEvents, const qint16 &cancelRotation);

} // namespace kesto
