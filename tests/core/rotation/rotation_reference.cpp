#include "rotation_reference.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kesto::test {

namespace {

struct P
{
    double x, y;
};

double cross(P a, P b) { return a.x * b.y - a.y * b.x; }

double cosDegrees(double a)
{
    static const double table[13]
        = {1,   0.866025403784439, 0.5, 0, -0.5, -0.866025403784439, -1, -0.866025403784439, -0.5, 0,
           0.5, 0.866025403784439, 1};
    if (std::fabs(a / 30 - std::nearbyint(a / 30)) < 1e-9) {
        const double d = std::nearbyint(a);
        if (d >= 0 && d <= 360)
            return table[int(d) / 30];
    }
    return std::cos(a * 3.14159265358979 / 180);
}

int snapFloor(double x)
{
    const double r = std::nearbyint(x);
    return std::fabs(x - r) < 1e-9 ? int(r) : int(std::floor(x));
}

int snapCeiling(double x)
{
    const double r = std::nearbyint(x);
    return std::fabs(x - r) < 1e-9 ? int(r) : int(std::ceil(x));
}

int toByte(double x)
{
    const double r = std::nearbyint(x);
    return r < 0 ? 0 : (r > 255 ? 255 : int(r));
}

bool inside(const P q[4], P p)
{
    bool pos = false, neg = false;
    for (int i = 0; i < 4; ++i) {
        const double c = cross({q[i].x - p.x, q[i].y - p.y}, {q[(i + 1) % 4].x - p.x, q[(i + 1) % 4].y - p.y});
        if (c > 0) {
            if (neg)
                return false;
            pos = true;
        } else if (c < 0) {
            if (pos)
                return false;
            neg = true;
        }
    }
    return true;
}

double coverage(const P q[4])
{
    static const P cell[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    std::vector<P> pts;
    for (int i = 0; i < 4; ++i) {
        const P a = q[i], b = q[(i + 1) % 4];
        if (a.x >= 0 && a.x <= 1 && a.y >= 0 && a.y <= 1)
            pts.push_back(a);
        if (inside(q, cell[i]))
            pts.push_back(cell[i]);
        const double x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
        const double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
        for (double X : {0.0, 1.0})
            if (x0 < X && X < x1) {
                const double y = a.y + (b.y - a.y) * (X - a.x) / (b.x - a.x);
                if (y >= 0 && y <= 1)
                    pts.push_back({X, y});
            }
        for (double Y : {0.0, 1.0})
            if (y0 < Y && Y < y1) {
                const double x = a.x + (b.x - a.x) * (Y - a.y) / (b.y - a.y);
                if (x >= 0 && x <= 1)
                    pts.push_back({x, Y});
            }
    }
    if (pts.size() < 3)
        return 0;
    std::vector<P> fan;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const P v{pts[i].x - pts[0].x, pts[i].y - pts[0].y};
        if (std::fabs(v.x) < 1e-9 && std::fabs(v.y) < 1e-9)
            continue; // a repeat of the first point
        auto at = fan.end();
        for (auto it = fan.begin(); it != fan.end(); ++it)
            if (cross(*it, v) > 0) {
                at = it;
                break;
            }
        fan.insert(at, v);
    }
    double sum = 0;
    for (std::size_t i = 0; i + 1 < fan.size(); ++i)
        sum += cross(fan[i], fan[i + 1]);
    return std::fabs(sum) / 2;
}

} // namespace

void ReferenceCorners(int width, int height, double angle, double xs[4], double ys[4])
{
    const double c = cosDegrees(angle), s = cosDegrees(angle + 90);
    const double hw = width / 2.0, hh = height / 2.0;
    const double px[4] = {-hw, hw, hw, -hw}, py[4] = {-hh, -hh, hh, hh};
    for (int i = 0; i < 4; ++i) {
        xs[i] = px[i] * c - py[i] * s;
        ys[i] = px[i] * s + py[i] * c;
    }
    const double mx = *std::min_element(xs, xs + 4), my = *std::min_element(ys, ys + 4);
    for (int i = 0; i < 4; ++i) {
        xs[i] -= mx;
        ys[i] -= my;
    }
}

bool ReferenceResample(const QImage &sourceImage, QImage &target, const double xs[4], const double ys[4])
{
    const QImage source = sourceImage.convertToFormat(QImage::Format_RGB32);
    const int W = source.width(), H = source.height();
    // Edge lengths and directions, corner i to corner i + 1.
    double len[4], ux[4], uy[4];
    for (int i = 0; i < 4; ++i) {
        const double dx = xs[(i + 1) % 4] - xs[i], dy = ys[(i + 1) % 4] - ys[i];
        len[i] = std::sqrt(dx * dx + dy * dy);
        if (len[i] == 0)
            return false;
        ux[i] = dx / len[i];
        uy[i] = dy / len[i];
    }
    std::vector<P> grid(std::size_t(W + 1) * (H + 1));
    for (int j = 0; j <= W; ++j) {
        const double fj = double(j) / W;
        const P a{xs[0] + fj * len[0] * ux[0], ys[0] + fj * len[0] * uy[0]};
        const P b{xs[2] + (1 - fj) * len[2] * ux[2], ys[2] + (1 - fj) * len[2] * uy[2]};
        for (int k = 0; k <= H; ++k) {
            const double fk = double(k) / H;
            const P c{xs[3] + (1 - fk) * len[3] * ux[3], ys[3] + (1 - fk) * len[3] * uy[3]};
            const P d{xs[1] + fk * len[1] * ux[1], ys[1] + fk * len[1] * uy[1]};
            // a + t (b - a) = c + s (d - c)
            const double m11 = b.x - a.x, m12 = -(d.x - c.x), m21 = b.y - a.y, m22 = -(d.y - c.y);
            const double det = m11 * m22 - m12 * m21;
            if (std::fabs(det) < 1e-9)
                return false;
            const double t = ((c.x - a.x) * m22 - m12 * (c.y - a.y)) / det;
            grid[std::size_t(j) + std::size_t(k) * (W + 1)] = {a.x + t * m11, a.y + t * m21};
        }
    }
    int X0 = snapFloor(xs[0]), Y0 = snapFloor(ys[0]), X1 = snapCeiling(xs[0]), Y1 = snapCeiling(ys[0]);
    for (int i = 1; i < 4; ++i) {
        X0 = std::min(X0, snapFloor(xs[i]));
        Y0 = std::min(Y0, snapFloor(ys[i]));
        X1 = std::max(X1, snapCeiling(xs[i]));
        Y1 = std::max(Y1, snapCeiling(ys[i]));
    }
    const int BW = X1 - X0, BH = Y1 - Y0;
    std::vector<double> acc(std::size_t(BW) * BH * 4, 0.0);
    for (int j = 0; j < W; ++j) {
        for (int k = 0; k < H; ++k) {
            const P q[4] = {grid[j + k * (W + 1)], grid[j + 1 + k * (W + 1)], grid[j + 1 + (k + 1) * (W + 1)],
                            grid[j + (k + 1) * (W + 1)]};
            int u0 = snapFloor(q[0].x), v0 = snapFloor(q[0].y), u1 = snapCeiling(q[0].x) - 1,
                v1 = snapCeiling(q[0].y) - 1;
            for (int i = 1; i < 4; ++i) {
                u0 = std::min(u0, snapFloor(q[i].x));
                v0 = std::min(v0, snapFloor(q[i].y));
                u1 = std::max(u1, snapCeiling(q[i].x) - 1);
                v1 = std::max(v1, snapCeiling(q[i].y) - 1);
            }
            const QRgb px = source.pixel(j, k);
            for (int u = u0; u <= u1; ++u) {
                for (int v = v0; v <= v1; ++v) {
                    P shifted[4];
                    for (int i = 0; i < 4; ++i)
                        shifted[i] = {q[i].x - u, q[i].y - v};
                    const double a = coverage(shifted);
                    if (a > 0 && u >= X0 && u < X1 && v >= Y0 && v < Y1) {
                        double *cellSum = &acc[(std::size_t(v - Y0) * BW + (u - X0)) * 4];
                        cellSum[0] += qRed(px) * a;
                        cellSum[1] += qGreen(px) * a;
                        cellSum[2] += qBlue(px) * a;
                        cellSum[3] += a;
                    }
                }
            }
        }
    }
    for (int v = 0; v < BH; ++v) {
        for (int u = 0; u < BW; ++u) {
            const int x = u + X0, y = v + Y0;
            if (x < 0 || y < 0 || x >= target.width() || y >= target.height())
                continue;
            const double *a = &acc[(std::size_t(v) * BW + u) * 4];
            const double c = a[3];
            if (c == 0)
                continue;
            const QRgb bg = target.pixel(x, y);
            const double back[3] = {double(qRed(bg)), double(qGreen(bg)), double(qBlue(bg))};
            int ch[3];
            for (int i = 0; i < 3; ++i)
                ch[i] = toByte(c >= 1 ? a[i] / c : (1 - c) * back[i] + a[i]);
            target.setPixel(x, y, qRgb(ch[0], ch[1], ch[2]));
        }
    }
    return true;
}

QImage ReferenceRotate(const QImage &source, double angle, QRgb background)
{
    double xs[4], ys[4];
    ReferenceCorners(source.width(), source.height(), angle, xs, ys);
    int width = 0, height = 0;
    for (int i = 0; i < 4; ++i) {
        width = std::max(width, snapCeiling(xs[i]));
        height = std::max(height, snapCeiling(ys[i]));
    }
    QImage target(width, height, QImage::Format_RGB32);
    target.fill(background | 0xff000000u);
    ReferenceResample(source, target, xs, ys);
    return target;
}

double ExactCellArea(const double qx[4], const double qy[4])
{
    std::vector<P> poly;
    for (int i = 0; i < 4; ++i)
        poly.push_back({qx[i], qy[i]});
    // Keep the side of each cell edge that holds the cell: x >= 0, x <= 1, y >= 0, y <= 1.
    auto clip = [&](auto keep, auto meet) {
        std::vector<P> out;
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const P a = poly[i], b = poly[(i + 1) % poly.size()];
            if (keep(a))
                out.push_back(a);
            if (keep(a) != keep(b))
                out.push_back(meet(a, b));
        }
        poly = out;
    };
    clip([](P p) { return p.x >= 0; }, [](P a, P b) { return P{0, a.y + (0 - a.x) * (b.y - a.y) / (b.x - a.x)}; });
    clip([](P p) { return p.x <= 1; }, [](P a, P b) { return P{1, a.y + (1 - a.x) * (b.y - a.y) / (b.x - a.x)}; });
    clip([](P p) { return p.y >= 0; }, [](P a, P b) { return P{a.x + (0 - a.y) * (b.x - a.x) / (b.y - a.y), 0}; });
    clip([](P p) { return p.y <= 1; }, [](P a, P b) { return P{a.x + (1 - a.y) * (b.x - a.x) / (b.y - a.y), 1}; });
    double sum = 0;
    for (std::size_t i = 0; i < poly.size(); ++i)
        sum += cross(poly[i], poly[(i + 1) % poly.size()]);
    return std::fabs(sum) / 2;
}

} // namespace kesto::test
