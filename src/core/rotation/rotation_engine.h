#pragma once
#include "core/rotation/rotation.h"

// The resampling engine behind ResampleIntoBitmap. It chooses among three exact paths:
//
// - Permutation: the shape maps every source pixel onto exactly one target pixel (quarter
//   and half turns, mirrors, whole-pixel moves). Pixels are moved in cache-sized blocks.
// - FixedShape: the shape is a rotation (any angle not within 0.06 degrees of a quarter
//   turn). Every source pixel then maps onto the same unit square, only shifted, and the
//   area each one covers of each target pixel is a fixed piecewise quadratic of its offset.
//   The kernel writes it as quadratic B-spline impulses along target rows and recovers the
//   weighted sums with a double running sum per row; see rotation_kernel.inc.
// - Straightforward: cell-by-cell clipping of every source pixel's quadrilateral against
//   every target cell it touches, for any convex quadrilateral.
//
// All three give the same picture up to floating-point rounding: a channel may differ by 1
// where an exact sum falls on a rounding half. Permutation results are bit-identical to the
// straightforward path's.

namespace kesto::rotation_engine {

enum class Method {
    Automatic, // the fastest exact path for the shape
    Straightforward, // always the cell-by-cell path
};

enum class Path { None, Permutation, FixedShape, Straightforward };

struct Options
{
    Method method = Method::Automatic;
    // Worker threads the fixed-shape path may use when no hook is given; 0 chooses by the
    // machine and the picture size, 1 keeps all work on the calling thread.
    int maxThreads = 0;
    // Use the AVX2 kernel when the processor has it.
    bool wideVectors = true;
};

// The path Automatic takes for a width x height source drawn onto the quadrilateral
// (xs, ys) of a targetWidth x targetHeight target; None when the input is unusable.
Path ChoosePath(int width, int height, std::span<const double> xs, std::span<const double> ys, int targetWidth,
                int targetHeight);

// True when a permutation writes every pixel of the target, so that filling it with the
// background first would be wasted.
bool FillsEveryPixel(int width, int height, std::span<const double> xs, std::span<const double> ys, int targetWidth,
                     int targetHeight);

bool Resample(const QImage &source, QImage &target, std::span<const double> xs, std::span<const double> ys,
              const RotationHook &hook, const Options &options);

// RenderToQuadrilateral and RotateBitmap with a choice of engine options.
QImage RenderToQuadrilateral(const QImage &bitmap, std::span<const double> xs, std::span<const double> ys,
                             const RotationHook &hook, QRgb background, const Options &options);
QImage RotateBitmap(const QImage &bitmap, double angle, const RotationHook &hook, QRgb background,
                    const Options &options);

// The geometry of a rotated source grid, shared by the fixed-shape kernel's instruction-set
// variants. Coordinates are target pixels with y downwards; corner (j, k) of the source lies
// at c0 + j * e1 + k * e3.
struct FixedShapeJob
{
    const uchar *source = nullptr;
    qsizetype sourceStride = 0;
    int width = 0;
    int height = 0;
    uchar *target = nullptr;
    qsizetype targetStride = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    double c0x = 0, c0y = 0, e1x = 0, e1y = 0, e3x = 0, e3y = 0;
};

// Called by the fixed-shape kernel after each band of rows with the frame row the work has
// reached; false stops the work.
struct BandCallback
{
    bool (*function)(void *context, int rowsDone) = nullptr;
    void *context = nullptr;
    bool call(int rowsDone) const { return function(context, rowsDone); }
};

class FixedShapeKernel
{
public:
    // False when the job is not a rotation the kernel handles precisely.
    bool prepare(const FixedShapeJob &job, bool wideVectors);
    // Rows of the kernel's own frame (row r is target row targetHeight - 1 - r); ranges are
    // independent of each other and may run on different threads at once.
    int rowCount() const { return m_job.targetHeight; }
    // False when afterBand stopped the work. Throws std::bad_alloc when the working storage
    // cannot be had.
    bool runRows(int begin, int end, const BandCallback *afterBand = nullptr) const;

    struct Geometry
    {
        FixedShapeJob job;
        // The lattice the kernel walks: either the source's own (j along a row) or its
        // transpose, whichever gives the longer runs of corners per band of frame rows. Lattice
        // line k starts at byte k * lineStride; its pixel j is element j * pixelStep.
        int width = 0, height = 0;
        qsizetype lineStride = 0, pixelStep = 1;
        double e1x = 0, e1y = 0, e3x = 0, e3y = 0;
        // Lattice tables with one sentinel entry before and after: ax[j] = j * e1x,
        // ay[j] = j * e1y, bx[k] = c0x + k * e3x, cy[k] = (targetHeight - c0y) - k * e3y.
        // A corner's frame position is (bx[k] + ax[j], cy[k] - ay[j]), always evaluated
        // this way so that every use of a corner sees the same value.
        const double *ax = nullptr, *ay = nullptr, *bx = nullptr, *cy = nullptr;
        // The unit step e = (ce, se) with both parts positive, and f = (-se, ce), as lattice
        // offsets (dej, dek) and (dfj, dfk).
        double ce = 0, se = 0;
        int dej = 0, dek = 0, dfj = 0, dfk = 0;
        // Which of the four pixels around a corner (0 = up-left, 1 = up-right, 2 = down-left,
        // 3 = down-right in source terms) lies on which side of it in the frame.
        int roleB = 0, roleR = 0, roleL = 0, roleT = 0;
        // The picture's outline in the frame, for the columns a row can touch.
        double cornerX[4] = {}, cornerY[4] = {};
        int bandRows = 8;
    };

private:
    FixedShapeJob m_job;
    std::vector<double> m_tables;
    Geometry m_geometry;
    bool m_wide = false;
};

namespace kernel_generic {
bool RunRows(const FixedShapeKernel::Geometry &g, int begin, int end, const BandCallback *afterBand);
}
namespace kernel_avx2 {
bool RunRows(const FixedShapeKernel::Geometry &g, int begin, int end, const BandCallback *afterBand);
}
bool HaveAvx2Kernel();

} // namespace kesto::rotation_engine
