#include "core/rotation/rotation.h"
#include "core/rotation/rotation_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kesto {

namespace {

constexpr RotationPoint kUnitCell[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
constexpr int kNextCorner[4] = {1, 2, 3, 0};

// Room for every candidate CellCoverage can find: per edge its own corner, a cell corner
// and up to four boundary crossings (a crossing through a cell corner is found twice).
constexpr int kMaxClipPoints = 24;

double Cross(RotationPoint a, RotationPoint b) { return a.x * b.y - a.y * b.x; }

qint32 Saturate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

} // namespace

double CosDeg(double angle)
{
    static constexpr double kTable[13]
        = {1,   0.866025403784439, 0.5, 0, -0.5, -0.866025403784439, -1, -0.866025403784439, -0.5, 0,
           0.5, 0.866025403784439, 1};
    const double thirties = angle / 30.0;
    if (std::fabs(thirties - std::nearbyint(thirties)) < 1e-9) {
        const double whole = std::nearbyint(angle);
        if (whole >= 0 && whole <= 360)
            return kTable[int(whole) / 30];
    }
    return std::cos(angle * 3.14159265358979 / 180.0);
}

qint32 SnapFloor(double x)
{
    const double nearest = std::nearbyint(x);
    return Saturate(std::fabs(x - nearest) < 1e-9 ? nearest : std::floor(x));
}

qint32 SnapCeiling(double x)
{
    const double nearest = std::nearbyint(x);
    return Saturate(std::fabs(x - nearest) < 1e-9 ? nearest : std::ceil(x));
}

double MinOf(double a, double b) { return a < b ? a : b; }

double MaxOf(double a, double b) { return a > b ? a : b; }

quint8 ClampToByte(double x)
{
    // nearbyint follows the default rounding mode: halves go to the even neighbour.
    const double r = std::nearbyint(x);
    if (!(r > 0))
        return 0;
    if (r > 255)
        return 255;
    return quint8(r);
}

bool IsInsideQuadrilateral(const RotationQuad &cellQuad, RotationPoint p)
{
    bool positive = false, negative = false;
    for (int i = 0; i < 4; ++i) {
        const RotationPoint a{cellQuad[i].x - p.x, cellQuad[i].y - p.y};
        const RotationPoint b{cellQuad[kNextCorner[i]].x - p.x, cellQuad[kNextCorner[i]].y - p.y};
        const double c = Cross(a, b);
        if (c > 0) {
            if (negative)
                return false;
            positive = true;
        } else if (c < 0) {
            if (positive)
                return false;
            negative = true;
        }
    }
    return true;
}

int OrderClipPolygon(std::span<const RotationPoint> clipPoints, std::span<RotationPoint> fanVectors)
{
    if (clipPoints.size() < 3)
        return 0;
    const RotationPoint first = clipPoints[0];
    int count = 0;
    for (std::size_t i = 1; i < clipPoints.size() && std::size_t(count) < fanVectors.size(); ++i) {
        const RotationPoint v{clipPoints[i].x - first.x, clipPoints[i].y - first.y};
        // A repeat of the first point (a cell corner on the quadrilateral's edge is found
        // more than once) would put a zero vector inside the fan and drop a whole triangle.
        if (std::fabs(v.x) < 1e-9 && std::fabs(v.y) < 1e-9)
            continue;
        int at = count;
        for (int k = 0; k < count; ++k) {
            if (Cross(fanVectors[k], v) > 0) {
                at = k;
                break;
            }
        }
        for (int k = count; k > at; --k)
            fanVectors[k] = fanVectors[k - 1];
        fanVectors[at] = v;
        ++count;
    }
    return count;
}

double ClipPolygonArea(std::span<const RotationPoint> fanVectors)
{
    double sum = 0;
    for (std::size_t i = 0; i + 1 < fanVectors.size(); ++i)
        sum += Cross(fanVectors[i], fanVectors[i + 1]);
    return std::fabs(sum) / 2.0;
}

double CellCoverage(const RotationQuad &cellQuad)
{
    RotationPoint clip[kMaxClipPoints];
    int clipCount = 0;
    for (int i = 0; i < 4; ++i) {
        const RotationPoint p = cellQuad[i];
        if (p.x >= 0 && p.x <= 1 && p.y >= 0 && p.y <= 1)
            clip[clipCount++] = p;
        if (IsInsideQuadrilateral(cellQuad, kUnitCell[i]))
            clip[clipCount++] = kUnitCell[i];
        const RotationPoint q = cellQuad[kNextCorner[i]];
        const double xmin = MinOf(p.x, q.x), xmax = MaxOf(p.x, q.x);
        const double ymin = MinOf(p.y, q.y), ymax = MaxOf(p.y, q.y);
        for (const double x : {0.0, 1.0}) {
            if (xmin < x && x < xmax) {
                const double y = p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x);
                if (y >= 0 && y <= 1)
                    clip[clipCount++] = {x, y};
            }
        }
        for (const double y : {0.0, 1.0}) {
            if (ymin < y && y < ymax) {
                const double x = p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y);
                if (x >= 0 && x <= 1)
                    clip[clipCount++] = {x, y};
            }
        }
    }
    RotationPoint fan[kMaxClipPoints];
    const int fanCount = OrderClipPolygon(std::span(clip, std::size_t(clipCount)), std::span(fan));
    return ClipPolygonArea(std::span(fan, std::size_t(fanCount)));
}

bool BuildCornerGrid(qint32 width, qint32 height, std::span<const double> xs, std::span<const double> ys,
                     std::vector<RotationPoint> &cornerGrid)
{
    if (xs.size() != 4 || ys.size() != 4 || width < 1 || height < 1)
        return false;
    RotationPoint corner[4];
    double length[4];
    RotationPoint unit[4];
    for (int i = 0; i < 4; ++i) {
        corner[i] = {xs[i], ys[i]};
        const double dx = xs[kNextCorner[i]] - xs[i], dy = ys[kNextCorner[i]] - ys[i];
        length[i] = std::sqrt(dx * dx + dy * dy);
        if (!(length[i] > 0) || !std::isfinite(length[i]))
            return false;
        unit[i] = {dx / length[i], dy / length[i]};
    }
    cornerGrid.assign((std::size_t(width) + 1) * (std::size_t(height) + 1), RotationPoint{});
    for (qint32 j = 0; j <= width; ++j) {
        const double fj = double(j) / width;
        const RotationPoint a{corner[0].x + fj * length[0] * unit[0].x, corner[0].y + fj * length[0] * unit[0].y};
        const RotationPoint b{corner[2].x + (1 - fj) * length[2] * unit[2].x,
                              corner[2].y + (1 - fj) * length[2] * unit[2].y};
        for (qint32 k = 0; k <= height; ++k) {
            const double fk = double(k) / height;
            const RotationPoint c{corner[3].x + (1 - fk) * length[3] * unit[3].x,
                                  corner[3].y + (1 - fk) * length[3] * unit[3].y};
            const RotationPoint d{corner[1].x + fk * length[1] * unit[1].x, corner[1].y + fk * length[1] * unit[1].y};
            // a + t (b - a) = c + s (d - c), by Cramer's rule.
            const RotationPoint ab{b.x - a.x, b.y - a.y}, cd{d.x - c.x, d.y - c.y}, ac{c.x - a.x, c.y - a.y};
            const double det = cd.x * ab.y - ab.x * cd.y;
            if (!(std::fabs(det) >= 1e-9))
                return false;
            const double t = (cd.x * ac.y - ac.x * cd.y) / det;
            cornerGrid[std::size_t(j) + std::size_t(k) * (std::size_t(width) + 1)] = {a.x + t * ab.x, a.y + t * ab.y};
        }
    }
    return true;
}

bool ResampleIntoBitmap(const QImage &source, QImage &target, std::span<const double> xs, std::span<const double> ys,
                        const RotationHook &hook)
{
    return rotation_engine::Resample(source, target, xs, ys, hook, rotation_engine::Options{});
}

QImage RenderToQuadrilateral(const QImage &bitmap, std::span<const double> xs, std::span<const double> ys,
                             const RotationHook &hook, QRgb background)
{
    return rotation_engine::RenderToQuadrilateral(bitmap, xs, ys, hook, background, rotation_engine::Options{});
}

QImage RotateBitmap(const QImage &bitmap, double angle, const RotationHook &hook, QRgb background)
{
    return rotation_engine::RotateBitmap(bitmap, angle, hook, background, rotation_engine::Options{});
}

QImage RotatePicture(const QImage &picture, double angle, const RotationHook &hook, QRgb background)
{
    if (picture.isNull())
        return {};
    return RotateBitmap(picture, angle, hook, background);
}

RotationHook RotationProgress(std::function<void()> yieldToEvents, const qint16 &cancelRotation)
{
    return [yield = std::move(yieldToEvents), &cancelRotation](double, qint32, qint32) -> qint32 {
        if (yield)
            yield();
        return cancelRotation;
    };
}

namespace rotation_engine {

QImage RenderToQuadrilateral(const QImage &bitmap, std::span<const double> xs, std::span<const double> ys,
                             const RotationHook &hook, QRgb background, const Options &options)
{
    if (xs.size() != 4 || ys.size() != 4)
        return {};
    double x[4], y[4];
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i]))
            return {};
        x[i] = xs[i];
        y[i] = ys[i];
    }
    const double minX = *std::min_element(x, x + 4), minY = *std::min_element(y, y + 4);
    qint64 width = 0, height = 0;
    for (int i = 0; i < 4; ++i) {
        x[i] -= minX;
        y[i] -= minY;
        // A size beyond the 32-bit range cannot be a picture.
        if (x[i] >= std::numeric_limits<qint32>::max() || y[i] >= std::numeric_limits<qint32>::max())
            return {};
        width = std::max<qint64>(width, SnapCeiling(x[i]));
        height = std::max<qint64>(height, SnapCeiling(y[i]));
    }
    if (width <= 0 || height <= 0)
        return {};
    QImage target(int(width), int(height), QImage::Format_RGB32);
    if (target.isNull())
        return {};
    const std::span<const double> xSpan(x, 4), ySpan(y, 4);
    // A quarter or half turn without a hook overwrites every pixel and cannot stop half way,
    // so nobody would ever see the background.
    if (hook || options.method == Method::Straightforward
        || !FillsEveryPixel(bitmap.width(), bitmap.height(), xSpan, ySpan, target.width(), target.height()))
        target.fill(background | 0xff000000u);
    Resample(bitmap, target, xSpan, ySpan, hook, options);
    return target;
}

QImage RotateBitmap(const QImage &bitmap, double angle, const RotationHook &hook, QRgb background,
                    const Options &options)
{
    if (bitmap.isNull())
        return {};
    const double c = CosDeg(angle);
    const double s = CosDeg(angle + 90.0);
    const double hw = bitmap.width() / 2.0, hh = bitmap.height() / 2.0;
    const double px[4] = {-hw, hw, hw, -hw};
    const double py[4] = {-hh, -hh, hh, hh};
    double xs[4], ys[4];
    for (int i = 0; i < 4; ++i) {
        xs[i] = px[i] * c - py[i] * s;
        ys[i] = px[i] * s + py[i] * c;
    }
    return RenderToQuadrilateral(bitmap, xs, ys, hook, background, options);
}

} // namespace rotation_engine

} // namespace kesto
