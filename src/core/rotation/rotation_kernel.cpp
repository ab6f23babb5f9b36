#include "core/rotation/rotation_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

// Vector arguments and results of the inline helpers never cross an ABI boundary.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace kesto::rotation_engine {

namespace kernel_generic {
#include "rotation_kernel.inc"
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KESTO_HAVE_AVX2_KERNEL 1
#pragma GCC push_options
#pragma GCC target("avx2,fma")
// The target pragma does not define __AVX2__ for the preprocessor.
#define KESTO_KERNEL_AVX2 1
namespace kernel_avx2 {
#include "rotation_kernel.inc"
}
#undef KESTO_KERNEL_AVX2
#pragma GCC pop_options
#else
namespace kernel_avx2 {
bool RunRows(const FixedShapeKernel::Geometry &, int, int, const BandCallback *) { return false; }
} // namespace kernel_avx2
#endif

bool HaveAvx2Kernel()
{
#if defined(KESTO_HAVE_AVX2_KERNEL)
    static const bool have = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return have;
#else
    return false;
#endif
}

bool FixedShapeKernel::prepare(const FixedShapeJob &job, bool wideVectors)
{
    m_job = job;
    if (job.width < 1 || job.height < 1 || job.targetWidth < 1 || job.targetHeight < 1)
        return false;
    Geometry &g = m_geometry;
    // A run of corners within a band is as long as the band's height over the lattice's
    // vertical step along the run; walk along the axis with the smaller step.
    const bool transposed = std::fabs(job.e3y) < std::fabs(job.e1y);
    g.width = transposed ? job.height : job.width;
    g.height = transposed ? job.width : job.height;
    g.lineStride = transposed ? qsizetype(sizeof(quint32)) : job.sourceStride;
    g.pixelStep = transposed ? job.sourceStride / qsizetype(sizeof(quint32)) : 1;
    g.e1x = transposed ? job.e3x : job.e1x;
    g.e1y = transposed ? job.e3y : job.e1y;
    g.e3x = transposed ? job.e1x : job.e3x;
    g.e3y = transposed ? job.e1y : job.e3y;
    const int W = g.width, H = g.height;

    // The frame steps of the four lattice offsets; e points right and up, f left and up.
    struct Offset
    {
        int dj, dk;
    };
    const Offset offsets[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    int e = -1, f = -1;
    double fx = 0, fy = 0;
    for (int i = 0; i < 4; ++i) {
        const double dx = offsets[i].dj * g.e1x + offsets[i].dk * g.e3x;
        const double dy = -(offsets[i].dj * g.e1y + offsets[i].dk * g.e3y);
        if (dx > 0 && dy > 0) {
            e = i;
            g.ce = dx;
            g.se = dy;
        } else if (dx < 0 && dy > 0) {
            f = i;
            fx = dx;
            fy = dy;
        }
    }
    // Below this the impulses, which grow as 1 / (se * ce), lose too much to cancellation.
    constexpr double kMinimumStep = 1e-3;
    if (e < 0 || f < 0 || g.ce < kMinimumStep || g.se < kMinimumStep)
        return false;
    if (std::fabs(fx + g.se) > 1e-9 || std::fabs(fy - g.ce) > 1e-9)
        return false;
    g.dej = offsets[e].dj;
    g.dek = offsets[e].dk;
    g.dfj = offsets[f].dj;
    g.dfk = offsets[f].dk;

    // The pixel on each side of a corner: index (k offset + 1) * 2 + (j offset + 1).
    auto role = [&](int alongE, int alongF) {
        const int vj = alongE * g.dej + alongF * g.dfj;
        const int vk = alongE * g.dek + alongF * g.dfk;
        return (vk < 0 ? 0 : 2) + (vj < 0 ? 0 : 1);
    };
    g.roleB = role(1, 1);
    g.roleR = role(-1, 1);
    g.roleL = role(1, -1);
    g.roleT = role(-1, -1);

    const double inf = std::numeric_limits<double>::infinity();
    // Each table has one sentinel before and after; the j tables have four more entries
    // after, which the kernel's four-wide reads may touch but never use.
    m_tables.assign(std::size_t(W + 7) * 2 + std::size_t(H + 3) * 2, 0.0);
    double *ax = m_tables.data() + 1;
    double *ay = ax + (W + 7);
    double *bx = ay + (W + 7);
    double *cy = bx + (H + 3);
    for (int j = 0; j <= W; ++j) {
        ax[j] = j * g.e1x;
        ay[j] = j * g.e1y;
    }
    ay[-1] = ay[W + 1] = inf;
    const double cy0 = job.targetHeight - job.c0y;
    for (int k = 0; k <= H; ++k) {
        bx[k] = job.c0x + k * g.e3x;
        cy[k] = cy0 - k * g.e3y;
    }
    cy[-1] = cy[H + 1] = -inf;
    g.ax = ax;
    g.ay = ay;
    g.bx = bx;
    g.cy = cy;
    g.job = job;
    g.width = W;
    g.height = H;

    const double cornerX[4] = {job.c0x, job.c0x + W * g.e1x, job.c0x + W * g.e1x + H * g.e3x, job.c0x + H * g.e3x};
    const double cornerY[4] = {job.c0y, job.c0y + W * g.e1y, job.c0y + W * g.e1y + H * g.e3y, job.c0y + H * g.e3y};
    for (int i = 0; i < 4; ++i) {
        g.cornerX[i] = cornerX[i];
        g.cornerY[i] = job.targetHeight - cornerY[i];
    }

    // The band's row buffers (32 bytes a cell, 2 * band + 1 rows) stay under 112 KB where
    // the picture allows: small enough for the second-level cache, and below the size at
    // which the C library hands freed memory back to the system, so that repeated calls do
    // not pay for fresh pages every time.
    const double rowBytes = 32.0 * (job.targetWidth + 7);
    g.bandRows = std::clamp(int((112.0 * 1024.0 / rowBytes - 1.0) / 2.0), 2, 32);

    m_wide = wideVectors && HaveAvx2Kernel();
    return true;
}

bool FixedShapeKernel::runRows(int begin, int end, const BandCallback *afterBand) const
{
    if (begin >= end)
        return true;
    if (m_wide)
        return kernel_avx2::RunRows(m_geometry, begin, end, afterBand);
    return kernel_generic::RunRows(m_geometry, begin, end, afterBand);
}

} // namespace kesto::rotation_engine
