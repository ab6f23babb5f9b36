#include "core/rotation/rotation_engine.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KESTO_HAVE_AVX2_PERMUTE 1
#endif

namespace kesto::rotation_engine {

namespace {

bool Is32Bit(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
}

constexpr quint32 kOpaque = 0xff000000u;

// What the corner coordinates say about the shape.
struct Analysis
{
    Path path = Path::None;
    double e1x = 0, e1y = 0, e3x = 0, e3y = 0;
    // Permutation: source pixel (j, k) goes to target pixel (u0 + j a + k b, v0 + j c + k d).
    int a = 0, b = 0, c = 0, d = 0;
    qint64 u0 = 0, v0 = 0;
};

Analysis Analyse(int W, int H, std::span<const double> xs, std::span<const double> ys, int TW, int TH)
{
    Analysis an;
    if (xs.size() != 4 || ys.size() != 4 || W < 1 || H < 1 || TW < 1 || TH < 1)
        return an;
    double reach = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i]))
            return an;
        reach = std::max({reach, std::fabs(xs[i]), std::fabs(ys[i])});
    }
    an.path = Path::Straightforward;
    an.e1x = (xs[1] - xs[0]) / W;
    an.e1y = (ys[1] - ys[0]) / W;
    an.e3x = (xs[3] - xs[0]) / H;
    an.e3y = (ys[3] - ys[0]) / H;

    // A rigid move of the source grid: a parallelogram with unit, perpendicular steps.
    const double closure
        = std::max(std::fabs(xs[2] - (xs[1] + xs[3] - xs[0])), std::fabs(ys[2] - (ys[1] + ys[3] - ys[0])));
    const bool rigid = closure <= 1e-9 * reach && std::fabs(an.e1x * an.e1x + an.e1y * an.e1y - 1.0) <= 1e-10
        && std::fabs(an.e3x * an.e3x + an.e3y * an.e3y - 1.0) <= 1e-10
        && std::fabs(an.e1x * an.e3x + an.e1y * an.e3y) <= 1e-10;
    if (!rigid)
        return an;

    // Every source pixel lands on exactly one target pixel when all corners sit within
    // 1e-10 of whole numbers: the cell-by-cell path snaps each pixel's range to one cell
    // and finds it covered to within 1e-9, which cannot move a channel's rounding.
    const int a = int(std::lround(an.e1x)), c = int(std::lround(an.e1y));
    const int b = int(std::lround(an.e3x)), d = int(std::lround(an.e3y));
    const bool axisSteps = (std::abs(a) + std::abs(c) == 1) && (std::abs(b) + std::abs(d) == 1) && (a * b + c * d == 0);
    if (axisSteps && reach < 1e9) {
        const double x0 = std::nearbyint(xs[0]), y0 = std::nearbyint(ys[0]);
        const double deviation = std::fabs(xs[0] - x0) + std::fabs(ys[0] - y0)
            + W * std::max(std::fabs(an.e1x - a), std::fabs(an.e1y - c))
            + H * std::max(std::fabs(an.e3x - b), std::fabs(an.e3y - d));
        if (deviation < 1e-10) {
            an.path = Path::Permutation;
            an.a = a;
            an.b = b;
            an.c = c;
            an.d = d;
            an.u0 = qint64(x0) + std::min(0, a) + std::min(0, b);
            an.v0 = qint64(y0) + std::min(0, c) + std::min(0, d);
            return an;
        }
    }

    // The fixed-shape kernel needs the picture inside the target (give or take a pixel)
    // and an angle clear of the quarter turns.
    bool inside = true;
    for (int i = 0; i < 4; ++i)
        inside = inside && xs[i] >= -1.0 && xs[i] <= TW + 1.0 && ys[i] >= -1.0 && ys[i] <= TH + 1.0;
    const double smallest = std::min({std::fabs(an.e1x), std::fabs(an.e1y), std::fabs(an.e3x), std::fabs(an.e3y)});
    if (inside && smallest >= 1e-3)
        an.path = Path::FixedShape;
    return an;
}

// Calls the hook once for each source column up to `upTo` (of `columns`), in order.
class ColumnProgress
{
public:
    ColumnProgress(const RotationHook &hook, int columns) : m_hook(hook), m_columns(columns) {}

    // False when the hook asked to stop.
    bool advanceTo(int upTo)
    {
        if (!m_hook)
            return true;
        upTo = std::min(upTo, m_columns);
        while (m_done < upTo) {
            ++m_done;
            if (m_hook(double(m_done) / m_columns, m_done, m_columns) != 0)
                return false;
        }
        return true;
    }

private:
    const RotationHook &m_hook;
    int m_columns;
    int m_done = 0;
};

// ---------------------------------------------------------------------------------------
// Permutation

struct Permutation
{
    const uchar *source;
    qsizetype sourceStride;
    int W, H;
    uchar *target;
    qsizetype targetStride;
    int TW, TH;
    int a, b, c, d;
    qint64 u0, v0;
    bool opaqueSource; // Format_RGB32: the fourth byte is 0xff already
    bool wide; // use the AVX2 loops
};

inline const quint32 *SourceRow(const Permutation &p, int k)
{
    return reinterpret_cast<const quint32 *>(p.source + qsizetype(k) * p.sourceStride);
}

inline quint32 *TargetRow(const Permutation &p, qint64 v)
{
    return reinterpret_cast<quint32 *>(p.target + qsizetype(v) * p.targetStride);
}

// The permutation loops issue all loads of a step before its stores: a store followed by a
// load whose address matches it modulo 4 KB stalls the load, and a picture turned into a
// buffer laid out just before it meets that on nearly every row.

// dst[i] = src[n - 1 - i] | opaque
void ReverseCopy(quint32 *dst, const quint32 *src, int n)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(int(kOpaque));
    for (; i + 16 <= n; i += 16) {
        const quint32 *s = src + n - 16 - i;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 4));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 8));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_or_si128(_mm_shuffle_epi32(d, 0x1B), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 4), _mm_or_si128(_mm_shuffle_epi32(c, 0x1B), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 8), _mm_or_si128(_mm_shuffle_epi32(b, 0x1B), opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 12), _mm_or_si128(_mm_shuffle_epi32(a, 0x1B), opaque));
    }
#endif
    for (; i < n; ++i)
        dst[i] = src[n - 1 - i] | kOpaque;
}

void OpaqueCopy(quint32 *dst, const quint32 *src, int n, bool opaqueAlready)
{
    if (opaqueAlready) {
        std::memcpy(dst, src, std::size_t(n) * 4);
        return;
    }
    int i = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(int(kOpaque));
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i + 4));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i + 8));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_or_si128(a, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 4), _mm_or_si128(b, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 8), _mm_or_si128(c, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i + 12), _mm_or_si128(d, opaque));
    }
#endif
    for (; i < n; ++i)
        dst[i] = src[i] | kOpaque;
}

// Source columns [j0, j1) become target rows; source row k goes to target column
// u0 + k * B. Tiles of 64 source rows, 4 x 4 blocks inside.
template<int B>
void TransposeColumns(const Permutation &p, int j0, int j1, int kBegin, int kEnd)
{
    constexpr int kTile = 64;
    for (int k0 = kBegin; k0 < kEnd; k0 += kTile) {
        const int k1 = std::min(kEnd, k0 + kTile);
        int j = j0;
        for (; j + 4 <= j1; j += 4) {
            quint32 *const r0 = TargetRow(p, p.v0 + qint64(j) * p.c);
            quint32 *const r1 = TargetRow(p, p.v0 + qint64(j + 1) * p.c);
            quint32 *const r2 = TargetRow(p, p.v0 + qint64(j + 2) * p.c);
            quint32 *const r3 = TargetRow(p, p.v0 + qint64(j + 3) * p.c);
            int k = k0;
#if defined(__SSE2__)
            const __m128i opaque = _mm_set1_epi32(int(kOpaque));
            for (; k + 4 <= k1; k += 4) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(SourceRow(p, k) + j));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(SourceRow(p, k + 1) + j));
                const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(SourceRow(p, k + 2) + j));
                const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(SourceRow(p, k + 3) + j));
                const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
                const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
                __m128i c0 = _mm_or_si128(_mm_unpacklo_epi64(ab0, cd0), opaque);
                __m128i c1 = _mm_or_si128(_mm_unpackhi_epi64(ab0, cd0), opaque);
                __m128i c2 = _mm_or_si128(_mm_unpacklo_epi64(ab1, cd1), opaque);
                __m128i c3 = _mm_or_si128(_mm_unpackhi_epi64(ab1, cd1), opaque);
                qint64 at = p.u0 + k;
                if constexpr (B < 0) {
                    c0 = _mm_shuffle_epi32(c0, 0x1B);
                    c1 = _mm_shuffle_epi32(c1, 0x1B);
                    c2 = _mm_shuffle_epi32(c2, 0x1B);
                    c3 = _mm_shuffle_epi32(c3, 0x1B);
                    at = p.u0 - k - 3;
                }
                _mm_storeu_si128(reinterpret_cast<__m128i *>(r0 + at), c0);
                _mm_storeu_si128(reinterpret_cast<__m128i *>(r1 + at), c1);
                _mm_storeu_si128(reinterpret_cast<__m128i *>(r2 + at), c2);
                _mm_storeu_si128(reinterpret_cast<__m128i *>(r3 + at), c3);
            }
#endif
            for (; k < k1; ++k) {
                const quint32 *src = SourceRow(p, k) + j;
                const qint64 at = p.u0 + qint64(k) * B;
                r0[at] = src[0] | kOpaque;
                r1[at] = src[1] | kOpaque;
                r2[at] = src[2] | kOpaque;
                r3[at] = src[3] | kOpaque;
            }
        }
        for (; j < j1; ++j) {
            quint32 *row = TargetRow(p, p.v0 + qint64(j) * p.c);
            for (int k = k0; k < k1; ++k)
                row[p.u0 + qint64(k) * B] = SourceRow(p, k)[j] | kOpaque;
        }
    }
}

#if defined(KESTO_HAVE_AVX2_PERMUTE)
__attribute__((target("avx2"))) void ReverseCopyAvx2(quint32 *dst, const quint32 *src, int n)
{
    const __m256i opaque = _mm256_set1_epi32(int(kOpaque));
    const __m256i reverse = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        const quint32 *s = src + n - 32 - i;
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + 8));
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + 16));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(s + 24));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + i),
                            _mm256_or_si256(_mm256_permutevar8x32_epi32(d, reverse), opaque));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + i + 8),
                            _mm256_or_si256(_mm256_permutevar8x32_epi32(c, reverse), opaque));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + i + 16),
                            _mm256_or_si256(_mm256_permutevar8x32_epi32(b, reverse), opaque));
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(dst + i + 24),
                            _mm256_or_si256(_mm256_permutevar8x32_epi32(a, reverse), opaque));
    }
    ReverseCopy(dst + i, src, n - i);
}

// As TransposeColumns, with 8 x 8 blocks.
template<int B>
__attribute__((target("avx2"))) void TransposeColumnsAvx2(const Permutation &p, int j0, int j1)
{
    constexpr int kTile = 64;
    const __m256i opaque = _mm256_set1_epi32(int(kOpaque));
    const __m256i reverse = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
    for (int k0 = 0; k0 < p.H; k0 += kTile) {
        const int k1 = std::min(p.H, k0 + kTile);
        int j = j0;
        for (; j + 8 <= j1; j += 8) {
            quint32 *rows[8];
            for (int m = 0; m < 8; ++m)
                rows[m] = TargetRow(p, p.v0 + qint64(j + m) * p.c);
            int k = k0;
            for (; k + 8 <= k1; k += 8) {
                __m256i r[8];
                for (int m = 0; m < 8; ++m)
                    r[m] = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(SourceRow(p, k + m) + j));
                const __m256i t0 = _mm256_unpacklo_epi32(r[0], r[1]), t1 = _mm256_unpackhi_epi32(r[0], r[1]);
                const __m256i t2 = _mm256_unpacklo_epi32(r[2], r[3]), t3 = _mm256_unpackhi_epi32(r[2], r[3]);
                const __m256i t4 = _mm256_unpacklo_epi32(r[4], r[5]), t5 = _mm256_unpackhi_epi32(r[4], r[5]);
                const __m256i t6 = _mm256_unpacklo_epi32(r[6], r[7]), t7 = _mm256_unpackhi_epi32(r[6], r[7]);
                const __m256i u0 = _mm256_unpacklo_epi64(t0, t2), u1 = _mm256_unpackhi_epi64(t0, t2);
                const __m256i u2 = _mm256_unpacklo_epi64(t1, t3), u3 = _mm256_unpackhi_epi64(t1, t3);
                const __m256i u4 = _mm256_unpacklo_epi64(t4, t6), u5 = _mm256_unpackhi_epi64(t4, t6);
                const __m256i u6 = _mm256_unpacklo_epi64(t5, t7), u7 = _mm256_unpackhi_epi64(t5, t7);
                __m256i col[8] = {_mm256_permute2x128_si256(u0, u4, 0x20), _mm256_permute2x128_si256(u1, u5, 0x20),
                                  _mm256_permute2x128_si256(u2, u6, 0x20), _mm256_permute2x128_si256(u3, u7, 0x20),
                                  _mm256_permute2x128_si256(u0, u4, 0x31), _mm256_permute2x128_si256(u1, u5, 0x31),
                                  _mm256_permute2x128_si256(u2, u6, 0x31), _mm256_permute2x128_si256(u3, u7, 0x31)};
                const qint64 at = B > 0 ? p.u0 + k : p.u0 - k - 7;
                for (int m = 0; m < 8; ++m) {
                    __m256i v = _mm256_or_si256(col[m], opaque);
                    if constexpr (B < 0)
                        v = _mm256_permutevar8x32_epi32(v, reverse);
                    _mm256_storeu_si256(reinterpret_cast<__m256i *>(rows[m] + at), v);
                }
            }
            for (; k < k1; ++k) {
                const quint32 *src = SourceRow(p, k) + j;
                const qint64 at = p.u0 + qint64(k) * B;
                for (int m = 0; m < 8; ++m)
                    rows[m][at] = src[m] | kOpaque;
            }
        }
        if (j < j1)
            TransposeColumns<B>(p, j, j1, k0, k1);
    }
}
#endif

// Source columns [j0, j1) of a permutation whose pixels all land inside the target.
void PermuteColumnsInside(const Permutation &p, int j0, int j1)
{
    const int n = j1 - j0;
    if (p.c == 0) {
        // Source rows stay target rows, read forwards (a = 1) or backwards (a = -1).
        for (int k = 0; k < p.H; ++k) {
            const quint32 *src = SourceRow(p, k) + j0;
            quint32 *dst = TargetRow(p, p.v0 + qint64(k) * p.d);
            if (p.a == 1)
                OpaqueCopy(dst + (p.u0 + j0), src, n, p.opaqueSource);
#if defined(KESTO_HAVE_AVX2_PERMUTE)
            else if (p.wide)
                ReverseCopyAvx2(dst + (p.u0 - j1 + 1), src, n);
#endif
            else
                ReverseCopy(dst + (p.u0 - j1 + 1), src, n);
        }
        return;
    }
#if defined(KESTO_HAVE_AVX2_PERMUTE)
    if (p.wide) {
        if (p.b == 1)
            TransposeColumnsAvx2<1>(p, j0, j1);
        else
            TransposeColumnsAvx2<-1>(p, j0, j1);
        return;
    }
#endif
    if (p.b == 1)
        TransposeColumns<1>(p, j0, j1, 0, p.H);
    else
        TransposeColumns<-1>(p, j0, j1, 0, p.H);
}

// Source columns [j0, j1) when some pixels land outside the target.
void PermuteColumnsClipped(const Permutation &p, int j0, int j1)
{
    for (int k = 0; k < p.H; ++k) {
        const quint32 *src = SourceRow(p, k);
        for (int j = j0; j < j1; ++j) {
            const qint64 u = p.u0 + qint64(j) * p.a + qint64(k) * p.b;
            const qint64 v = p.v0 + qint64(j) * p.c + qint64(k) * p.d;
            if (u >= 0 && u < p.TW && v >= 0 && v < p.TH)
                TargetRow(p, v)[u] = src[j] | kOpaque;
        }
    }
}

bool RunPermutation(const Permutation &p, const RotationHook &hook)
{
    bool inside = true;
    for (const int j : {0, p.W - 1}) {
        for (const int k : {0, p.H - 1}) {
            const qint64 u = p.u0 + qint64(j) * p.a + qint64(k) * p.b;
            const qint64 v = p.v0 + qint64(j) * p.c + qint64(k) * p.d;
            inside = inside && u >= 0 && u < p.TW && v >= 0 && v < p.TH;
        }
    }
    // Without a hook, rows that stay rows are moved whole; otherwise in strips of columns,
    // with the hook called for each column of a strip once the strip is done.
    const int strip = (hook || p.c != 0) ? 64 : p.W;
    ColumnProgress progress(hook, p.W);
    for (int j0 = 0; j0 < p.W; j0 += strip) {
        const int j1 = std::min(p.W, j0 + strip);
        if (inside)
            PermuteColumnsInside(p, j0, j1);
        else
            PermuteColumnsClipped(p, j0, j1);
        if (!progress.advanceTo(j1))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Straightforward: every source pixel's quadrilateral clipped against every cell it touches.

bool RunStraightforward(const QImage &source, QImage &target, std::span<const double> xs, std::span<const double> ys,
                        const RotationHook &hook)
{
    const int W = source.width(), H = source.height();
    std::vector<RotationPoint> grid;
    if (!BuildCornerGrid(W, H, xs, ys, grid))
        return false;

    qint64 X0 = std::numeric_limits<qint32>::max(), Y0 = X0;
    qint64 X1 = std::numeric_limits<qint32>::min(), Y1 = X1;
    for (int i = 0; i < 4; ++i) {
        X0 = std::min<qint64>(X0, SnapFloor(xs[i]));
        Y0 = std::min<qint64>(Y0, SnapFloor(ys[i]));
        X1 = std::max<qint64>(X1, SnapCeiling(xs[i]));
        Y1 = std::max<qint64>(Y1, SnapCeiling(ys[i]));
    }
    const qint64 boxW = X1 - X0, boxH = Y1 - Y0;
    if (boxW <= 0 || boxH <= 0)
        return false;
    // Four doubles a cell; refuse boxes whose size does not fit the address space.
    if (boxW > (std::numeric_limits<qint64>::max() / 64) / boxH)
        return false;
    std::vector<double> acc(std::size_t(boxW * boxH) * 4, 0.0);

    const auto *const srcBits = source.constBits();
    const qsizetype srcStride = source.bytesPerLine();
    ColumnProgress progress(hook, W);
    for (int j = 0; j < W; ++j) {
        for (int k = 0; k < H; ++k) {
            const RotationQuad quad
                = {grid[std::size_t(j) + std::size_t(k) * (W + 1)], grid[std::size_t(j + 1) + std::size_t(k) * (W + 1)],
                   grid[std::size_t(j + 1) + std::size_t(k + 1) * (W + 1)],
                   grid[std::size_t(j) + std::size_t(k + 1) * (W + 1)]};
            qint64 u0 = std::numeric_limits<qint32>::max(), v0 = u0;
            qint64 u1 = std::numeric_limits<qint32>::min(), v1 = u1;
            for (const RotationPoint &q : quad) {
                u0 = std::min<qint64>(u0, SnapFloor(q.x));
                v0 = std::min<qint64>(v0, SnapFloor(q.y));
                u1 = std::max<qint64>(u1, SnapCeiling(q.x) - 1);
                v1 = std::max<qint64>(v1, SnapCeiling(q.y) - 1);
            }
            u0 = std::max(u0, X0);
            v0 = std::max(v0, Y0);
            u1 = std::min(u1, X1 - 1);
            v1 = std::min(v1, Y1 - 1);
            const quint32 pixel = reinterpret_cast<const quint32 *>(srcBits + qsizetype(k) * srcStride)[j];
            const double red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
            for (qint64 u = u0; u <= u1; ++u) {
                for (qint64 v = v0; v <= v1; ++v) {
                    RotationQuad cell;
                    for (int i = 0; i < 4; ++i)
                        cell[i] = {quad[i].x - double(u), quad[i].y - double(v)};
                    const double area = CellCoverage(cell);
                    if (area > 0) {
                        double *a = &acc[std::size_t((v - Y0) * boxW + (u - X0)) * 4];
                        a[0] += red * area;
                        a[1] += green * area;
                        a[2] += blue * area;
                        a[3] += area;
                    }
                }
            }
        }
        if (!progress.advanceTo(j + 1))
            return false;
    }

    uchar *const dstBits = target.bits();
    const qsizetype dstStride = target.bytesPerLine();
    const int TW = target.width(), TH = target.height();
    for (qint64 v = std::max<qint64>(Y0, 0); v < std::min<qint64>(Y1, TH); ++v) {
        quint32 *row = reinterpret_cast<quint32 *>(dstBits + qsizetype(v) * dstStride);
        for (qint64 u = std::max<qint64>(X0, 0); u < std::min<qint64>(X1, TW); ++u) {
            const double *a = &acc[std::size_t((v - Y0) * boxW + (u - X0)) * 4];
            const double coverage = a[3];
            if (coverage == 0)
                continue;
            const quint32 bg = row[u];
            const double back[3] = {double(qRed(bg)), double(qGreen(bg)), double(qBlue(bg))};
            quint8 ch[3];
            for (int i = 0; i < 3; ++i)
                ch[i] = ClampToByte(coverage >= 1 ? a[i] / coverage : (1 - coverage) * back[i] + a[i]);
            row[u] = qRgb(ch[0], ch[1], ch[2]);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Fixed shape

struct HookBridge
{
    ColumnProgress *progress;
    int columns;
    int rows;
    static bool call(void *context, int rowsDone)
    {
        auto *self = static_cast<HookBridge *>(context);
        const qint64 upTo = qint64(self->columns) * rowsDone / self->rows;
        return self->progress->advanceTo(int(upTo));
    }
};

int ThreadsFor(const Options &options, qint64 work)
{
    if (options.maxThreads == 1)
        return 1;
    const int available = std::max(1, QThread::idealThreadCount());
    int threads = options.maxThreads > 0 ? std::min(options.maxThreads, available) : std::min(available, 4);
    // Starting a worker costs tens of microseconds; small pictures stay on one thread.
    if (options.maxThreads == 0 && work < 16 * 1024)
        threads = 1;
    return threads;
}

// Runs the kernel's rows on the calling thread and up to threads - 1 pool workers, in chunks
// taken from a shared counter; the calling thread keeps taking chunks itself, so the work
// ends even when no worker can start.
bool RunRowsInParallel(const FixedShapeKernel &kernel, int threads)
{
    const int rows = kernel.rowCount();
    const int chunks = std::max(1, std::min(threads * 4, rows / 16));
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        for (;;) {
            const int chunk = next.fetch_add(1);
            if (chunk >= chunks || failed.load())
                return;
            const int begin = int(qint64(rows) * chunk / chunks);
            const int end = int(qint64(rows) * (chunk + 1) / chunks);
            try {
                kernel.runRows(begin, end);
            } catch (const std::bad_alloc &) {
                failed = true;
            }
        }
    };
    QSemaphore finished;
    int started = 0;
    for (int t = 1; t < threads && chunks > 1; ++t) {
        if (QThreadPool::globalInstance()->tryStart([&] {
                work();
                finished.release();
            })) {
            ++started;
        }
    }
    work();
    finished.acquire(started);
    return !failed.load();
}

} // namespace

bool FillsEveryPixel(int width, int height, std::span<const double> xs, std::span<const double> ys, int targetWidth,
                     int targetHeight)
{
    const Analysis an = Analyse(width, height, xs, ys, targetWidth, targetHeight);
    if (an.path != Path::Permutation || qint64(width) * height != qint64(targetWidth) * targetHeight)
        return false;
    // The permutation's image is a whole-pixel rectangle; it fills the target when its
    // extreme corners are the target's.
    qint64 uMin = std::numeric_limits<qint64>::max(), vMin = uMin, uMax = std::numeric_limits<qint64>::min(),
           vMax = uMax;
    for (const qint64 j : {qint64(0), qint64(width - 1)}) {
        for (const qint64 k : {qint64(0), qint64(height - 1)}) {
            const qint64 u = an.u0 + j * an.a + k * an.b, v = an.v0 + j * an.c + k * an.d;
            uMin = std::min(uMin, u);
            uMax = std::max(uMax, u);
            vMin = std::min(vMin, v);
            vMax = std::max(vMax, v);
        }
    }
    return uMin == 0 && vMin == 0 && uMax == targetWidth - 1 && vMax == targetHeight - 1;
}

Path ChoosePath(int width, int height, std::span<const double> xs, std::span<const double> ys, int targetWidth,
                int targetHeight)
{
    return Analyse(width, height, xs, ys, targetWidth, targetHeight).path;
}

bool Resample(const QImage &source, QImage &target, std::span<const double> xs, std::span<const double> ys,
              const RotationHook &hook, const Options &options)
{
    if (xs.size() != 4 || ys.size() != 4 || source.isNull() || target.isNull())
        return false;
    // Holding our own reference makes target.bits() detach when both share one buffer.
    // The kernels read each pixel's colour bytes as they stand, which holds for RGB32 and
    // ARGB32 only; any other picture (premultiplied alpha, indexed, 16 or 24 bits, ...) is
    // turned into RGB32 first, so that its colours come out as they are shown.
    const bool readable = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32;
    const QImage src = readable ? source : source.convertToFormat(QImage::Format_RGB32);
    if (src.isNull())
        return false;
    if (!Is32Bit(target.format())) {
        QImage converted = target.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull())
            return false;
        target = converted;
    }
    const int W = src.width(), H = src.height(), TW = target.width(), TH = target.height();
    const Analysis an = Analyse(W, H, xs, ys, TW, TH);
    if (an.path == Path::None)
        return false;
    const Path path = options.method == Method::Straightforward ? Path::Straightforward : an.path;

    try {
        if (path == Path::Straightforward)
            return RunStraightforward(src, target, xs, ys, hook);

        // The fast paths write as they go; with a hook that may stop them, keep the
        // original to put back.
        const QImage original = hook ? target : QImage();
        uchar *const dst = target.bits();
        if (!dst)
            return false;
        auto restore = [&] {
            target = original;
            return false;
        };

        if (path == Path::Permutation) {
            const Permutation p{src.constBits(),
                                src.bytesPerLine(),
                                W,
                                H,
                                dst,
                                target.bytesPerLine(),
                                TW,
                                TH,
                                an.a,
                                an.b,
                                an.c,
                                an.d,
                                an.u0,
                                an.v0,
                                src.format() == QImage::Format_RGB32,
                                options.wideVectors && HaveAvx2Kernel()};
            return RunPermutation(p, hook) ? true : restore();
        }

        FixedShapeJob job;
        job.source = src.constBits();
        job.sourceStride = src.bytesPerLine();
        job.width = W;
        job.height = H;
        job.target = dst;
        job.targetStride = target.bytesPerLine();
        job.targetWidth = TW;
        job.targetHeight = TH;
        job.c0x = xs[0];
        job.c0y = ys[0];
        job.e1x = an.e1x;
        job.e1y = an.e1y;
        job.e3x = an.e3x;
        job.e3y = an.e3y;
        FixedShapeKernel kernel;
        if (!kernel.prepare(job, options.wideVectors)) {
            if (hook)
                target = original;
            return RunStraightforward(src, target, xs, ys, hook);
        }
        if (hook) {
            // The hook lets window events run; they must never overlap pixel work on
            // another thread, so a hooked rotation stays on the calling thread.
            ColumnProgress progress(hook, W);
            HookBridge bridge{&progress, W, kernel.rowCount()};
            const BandCallback afterBand{&HookBridge::call, &bridge};
            if (!kernel.runRows(0, kernel.rowCount(), &afterBand))
                return restore();
            return progress.advanceTo(W) ? true : restore();
        }
        const int threads = ThreadsFor(options, qint64(W) * H);
        if (threads <= 1) {
            kernel.runRows(0, kernel.rowCount());
            return true;
        }
        return RunRowsInParallel(kernel, threads);
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace kesto::rotation_engine
