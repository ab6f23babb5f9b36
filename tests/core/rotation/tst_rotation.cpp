#include "rotation_reference.h"
#include "core/rotation/rotation.h"
#include "core/rotation/rotation_engine.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

using namespace kesto;
using kesto::rotation_engine::Method;
using kesto::rotation_engine::Options;
using kesto::rotation_engine::Path;
using kesto::test::ReferenceCorners;
using kesto::test::ReferenceResample;
using kesto::test::ReferenceRotate;

Q_DECLARE_METATYPE(kesto::rotation_engine::Options)
Q_DECLARE_METATYPE(kesto::rotation_engine::Path)

namespace {

QImage randomPicture(int width, int height, std::mt19937 &rng)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<quint32 *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xff000000u | (rng() & 0xffffffu);
    }
    return picture;
}

struct Difference
{
    int largest = 0; // largest channel difference
    int channels = 0; // channels that differ
    QString where;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int diffs[3]
                = {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))};
            for (const int diff : diffs) {
                if (diff > 0)
                    ++d.channels;
                if (diff > d.largest) {
                    d.largest = diff;
                    d.where = QStringLiteral("(%1, %2)").arg(x).arg(y);
                }
            }
        }
    }
    return d;
}

bool sameBits(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 4) != 0)
            return false;
    }
    return true;
}

QImage rotateWith(const QImage &picture, double angle, const Options &options, QRgb background = 0,
                  const RotationHook &hook = {})
{
    return rotation_engine::RotateBitmap(picture, angle, hook, background, options);
}

Options straightforward()
{
    Options o;
    o.method = Method::Straightforward;
    return o;
}

Path pathFor(const QImage &picture, double angle)
{
    double xs[4], ys[4];
    ReferenceCorners(picture.width(), picture.height(), angle, xs, ys);
    int width = 0, height = 0;
    for (int i = 0; i < 4; ++i) {
        width = std::max(width, SnapCeiling(xs[i]));
        height = std::max(height, SnapCeiling(ys[i]));
    }
    return rotation_engine::ChoosePath(picture.width(), picture.height(), xs, ys, width, height);
}

bool allPixels(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != (colour | 0xff000000u))
                return false;
    return true;
}

// Records every hook call; answers non-zero from call number stopAt on (0: never).
struct HookLog
{
    struct Call
    {
        double fraction;
        qint32 done, total;
    };
    QList<Call> calls;
    int stopAt = 0;
    RotationHook hook()
    {
        return [this](double fraction, qint32 done, qint32 total) -> qint32 {
            calls.append({fraction, done, total});
            return (stopAt > 0 && calls.size() >= stopAt) ? 1 : 0;
        };
    }
};

} // namespace

class tst_Rotation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cosDeg_data();
    void cosDeg();
    void snapping_data();
    void snapping();
    void clampToByte_data();
    void clampToByte();
    void cellCoverageIsTheExactArea();
    void quarterAndHalfTurns_data();
    void quarterAndHalfTurns();
    void turnBy45BlendsEdgesWithBlack();
    void fastPathsMatchTheReference_data();
    void fastPathsMatchTheReference();
    void straightforwardPathIsTheReference();
    void badInput_data();
    void badInput();
    void hookCalledOncePerColumn_data();
    void hookCalledOncePerColumn();
    void hookMayStartAnotherRotation();
    void stoppedRotationKeepsOnlyTheBackground_data();
    void stoppedRotationKeepsOnlyTheBackground();
    void resampleIntoExistingTarget();
    void malformedShapes();
    void otherFormatsAreReadAs32Bit();
    void rotationProgressYieldsAndAnswersTheFlag();
};

void tst_Rotation::cosDeg_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("exact");
    QTest::newRow("0") << 0.0 << 1.0 << true;
    QTest::newRow("30") << 30.0 << 0.866025403784439 << true;
    QTest::newRow("90") << 90.0 << 0.0 << true;
    QTest::newRow("180") << 180.0 << -1.0 << true;
    QTest::newRow("270") << 270.0 << 0.0 << true;
    QTest::newRow("360") << 360.0 << 1.0 << true;
    QTest::newRow("90 plus 1e-9") << 90.000000001 << 0.0 << true;
    QTest::newRow("45 by the formula") << 45.0 << std::sqrt(0.5) << false;
    QTest::newRow("-90 outside the table") << -90.0 << 0.0 << false;
    QTest::newRow("720 outside the table") << 720.0 << 1.0 << false;
}

void tst_Rotation::cosDeg()
{
    QFETCH(double, angle);
    QFETCH(double, expected);
    QFETCH(bool, exact);
    const double value = CosDeg(angle);
    if (exact)
        QCOMPARE(value, expected);
    else
        QVERIFY2(std::fabs(value - expected) < 1e-13, qPrintable(QString::number(value, 'g', 17)));
    if (!exact && expected == 0.0)
        QVERIFY(value != 0.0); // the 15-digit pi leaves noise that only the table avoids
}

void tst_Rotation::snapping_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<qint32>("floor");
    QTest::addColumn<qint32>("ceiling");
    const qint32 big = std::numeric_limits<qint32>::max(), small = std::numeric_limits<qint32>::min();
    QTest::newRow("noise below a whole number") << 2.9999999999 << 3 << 3;
    QTest::newRow("noise above a whole number") << 3.0000000001 << 3 << 3;
    QTest::newRow("noise around zero") << -1e-12 << 0 << 0;
    QTest::newRow("a half") << 2.5 << 2 << 3;
    QTest::newRow("negative") << -0.5 << -1 << 0;
    QTest::newRow("just beyond the tolerance") << 3.00000001 << 3 << 4;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0 << 0;
    QTest::newRow("huge") << 1e300 << big << big;
    QTest::newRow("huge negative") << -1e300 << small << small;
}

void tst_Rotation::snapping()
{
    QFETCH(double, x);
    QFETCH(qint32, floor);
    QFETCH(qint32, ceiling);
    QCOMPARE(SnapFloor(x), floor);
    QCOMPARE(SnapCeiling(x), ceiling);
}

void tst_Rotation::clampToByte_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("half to even, down") << 2.5 << 2;
    QTest::newRow("half to even, up") << 3.5 << 4;
    QTest::newRow("254.5") << 254.5 << 254;
    QTest::newRow("255.5 clamps") << 255.5 << 255;
    QTest::newRow("below zero") << -7.0 << 0;
    QTest::newRow("small negative") << -0.4 << 0;
    QTest::newRow("above 255") << 1000.0 << 255;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
}

void tst_Rotation::clampToByte()
{
    QFETCH(double, x);
    QFETCH(int, expected);
    QCOMPARE(int(ClampToByte(x)), expected);
}

void tst_Rotation::cellCoverageIsTheExactArea()
{
    // A mirrored unit square with a corner on the cell's corner (1, 1): the cell corner is
    // found twice, and a naive fan that keeps the repeat halves the area.
    {
        const double a = 245.54611734877469 * M_PI / 180, c = std::cos(a), s = std::sin(a);
        const RotationQuad quad = {RotationPoint{1, 1}, RotationPoint{1 + c, 1 + s},
                                   RotationPoint{1 + c + s, 1 + s - c}, RotationPoint{1 + s, 1 - c}};
        const double qx[4] = {quad[0].x, quad[1].x, quad[2].x, quad[3].x};
        const double qy[4] = {quad[0].y, quad[1].y, quad[2].y, quad[3].y};
        QCOMPARE_GT(test::ExactCellArea(qx, qy), 0.6);
        QVERIFY(std::fabs(CellCoverage(quad) - test::ExactCellArea(qx, qy)) < 1e-12);
    }
    // Unit squares at any angle and place, often on quarter-pixel positions and at
    // multiples of 30 degrees, where corners meet edges and cell corners exactly.
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 200000; ++i) {
        double angle = unit(rng) * 2 * M_PI;
        if (i % 3 == 0)
            angle = std::nearbyint(angle / (M_PI / 6)) * (M_PI / 6);
        double ox = unit(rng) * 3 - 1.5, oy = unit(rng) * 3 - 1.5;
        if (i % 2 == 0) {
            ox = std::nearbyint(ox * 4) / 4;
            oy = std::nearbyint(oy * 4) / 4;
        }
        const double c = std::cos(angle), s = std::sin(angle);
        const double mirror = (i % 4 < 2) ? 1 : -1;
        const double e1x = c, e1y = s, e3x = -s * mirror, e3y = c * mirror;
        const double qx[4] = {ox, ox + e1x, ox + e1x + e3x, ox + e3x};
        const double qy[4] = {oy, oy + e1y, oy + e1y + e3y, oy + e3y};
        const RotationQuad quad = {RotationPoint{qx[0], qy[0]}, RotationPoint{qx[1], qy[1]},
                                   RotationPoint{qx[2], qy[2]}, RotationPoint{qx[3], qy[3]}};
        const double got = CellCoverage(quad), want = test::ExactCellArea(qx, qy);
        if (std::fabs(got - want) > 1e-9)
            QFAIL(qPrintable(QStringLiteral("angle %1 at (%2, %3): %4 instead of %5")
                                 .arg(angle * 180 / M_PI, 0, 'g', 17)
                                 .arg(ox)
                                 .arg(oy)
                                 .arg(got, 0, 'g', 17)
                                 .arg(want, 0, 'g', 17)));
    }
}

void tst_Rotation::quarterAndHalfTurns_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("angle");
    QTest::newRow("90, even") << 8 << 6 << 90.0;
    QTest::newRow("90, odd") << 7 << 5 << 90.0;
    QTest::newRow("180, odd") << 7 << 5 << 180.0;
    QTest::newRow("180, even") << 8 << 6 << 180.0;
    QTest::newRow("270, odd") << 9 << 7 << 270.0;
    QTest::newRow("0") << 7 << 5 << 0.0;
    QTest::newRow("360") << 7 << 5 << 360.0;
    QTest::newRow("-90") << 5 << 7 << -90.0;
    QTest::newRow("450") << 3 << 5 << 450.0;
    QTest::newRow("720") << 5 << 3 << 720.0;
    QTest::newRow("1 x 1") << 1 << 1 << 90.0;
    QTest::newRow("one column") << 1 << 9 << 90.0;
    QTest::newRow("one row") << 9 << 1 << 180.0;
    QTest::newRow("card, 90") << 140 << 240 << 90.0;
    QTest::newRow("card, 180") << 141 << 239 << 180.0;
}

void tst_Rotation::quarterAndHalfTurns()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, angle);
    std::mt19937 rng(width * 1000 + height);
    const QImage source = randomPicture(width, height, rng);
    const QImage before = source.copy();
    const QImage turned = RotatePicture(source, angle);
    QVERIFY(sameBits(source, before));
    QCOMPARE(pathFor(source, angle), Path::Permutation);

    const int quarters = ((int(std::lround(angle / 90)) % 4) + 4) % 4;
    const QSize expectedSize = quarters % 2 ? QSize(height, width) : QSize(width, height);
    QCOMPARE(turned.size(), expectedSize);
    QCOMPARE(turned.format(), QImage::Format_RGB32);
    for (int y = 0; y < turned.height(); ++y) {
        for (int x = 0; x < turned.width(); ++x) {
            QPoint from;
            switch (quarters) {
            case 0:
                from = {x, y};
                break;
            case 1:
                from = {width - 1 - y, x};
                break;
            case 2:
                from = {width - 1 - x, height - 1 - y};
                break;
            default:
                from = {y, height - 1 - x};
                break;
            }
            if (turned.pixel(x, y) != source.pixel(from))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
        }
    }
    // The cell-by-cell path reaches the same permutation, and so do the loops for processors
    // without AVX2.
    QVERIFY(sameBits(turned, rotateWith(source, angle, straightforward())));
    Options narrow;
    narrow.wideVectors = false;
    QVERIFY(sameBits(turned, rotateWith(source, angle, narrow)));
}

void tst_Rotation::turnBy45BlendsEdgesWithBlack()
{
    const QRgb colour = qRgb(200, 100, 50);
    QImage source(20, 12, QImage::Format_RGB32);
    source.fill(colour);
    const QImage turned = RotatePicture(source, 45);
    // The rounded-up bounding box: (20 + 12) / sqrt 2 = 22.6.
    QCOMPARE(turned.size(), QSize(23, 23));
    QCOMPARE(turned.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(turned.pixel(22, 22), qRgb(0, 0, 0));
    QCOMPARE(turned.pixel(11, 11), colour);
    // Every pixel is the colour scaled by the share the picture covers of it; the shares add
    // up to the picture's area.
    double covered = 0;
    int partial = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 23; ++x) {
            const QRgb p = turned.pixel(x, y);
            const double share = qRed(p) / 200.0;
            QVERIFY(std::abs(qGreen(p) - 100 * share) <= 1.0);
            QVERIFY(std::abs(qBlue(p) - 50 * share) <= 1.0);
            covered += share;
            if (qRed(p) > 0 && qRed(p) < 200)
                ++partial;
        }
    }
    QCOMPARE_GT(partial, 40);
    QVERIFY2(std::fabs(covered - 240) < partial * 0.5 / 200.0 * 4, qPrintable(QString::number(covered)));
}

void tst_Rotation::fastPathsMatchTheReference_data()
{
    QTest::addColumn<Options>("options");
    Options generic;
    generic.wideVectors = false;
    generic.maxThreads = 1;
    QTest::newRow("generic kernel") << generic;
    if (rotation_engine::HaveAvx2Kernel()) {
        Options wide;
        wide.maxThreads = 1;
        QTest::newRow("AVX2 kernel") << wide;
    }
    Options threads;
    threads.maxThreads = 3;
    QTest::newRow("worker threads") << threads;
}

void tst_Rotation::fastPathsMatchTheReference()
{
    QFETCH(Options, options);
    // Random pictures up to 64 pixels a side at random angles, including angles near the
    // quarter turns (cell-by-cell path) and huge ones; a channel may differ by one where an
    // exact sum falls on a rounding half.
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> anyAngle(-720, 720);
    const double special[] = {45, 33, 0.5, 89.9, 0.06, 90.0005, 30, 60, 1e12, -179.99, 1234.5678};
    int differing = 0, total = 0;
    for (int i = 0; i < 60; ++i) {
        const int width = 1 + int(rng() % 64), height = 1 + int(rng() % 64);
        const double angle = i < int(std::size(special)) ? special[i] : anyAngle(rng);
        const QRgb background = rng() & 0xffffffu;
        const QImage source = randomPicture(width, height, rng);
        const QImage expected = ReferenceRotate(source, angle, background);
        const QImage turned = rotateWith(source, angle, options, background);
        QCOMPARE(turned.size(), expected.size());
        const Difference d = compare(turned, expected);
        QVERIFY2(d.largest <= 1,
                 qPrintable(QStringLiteral("%1 x %2 at %3: %4 at %5")
                                .arg(width)
                                .arg(height)
                                .arg(angle, 0, 'g', 17)
                                .arg(d.largest)
                                .arg(d.where)));
        differing += d.channels;
        total += turned.width() * turned.height() * 3;
    }
    // Differences are rare rounding ties, not a systematic offset.
    QVERIFY2(differing * 1000 < total, qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(total)));
}

void tst_Rotation::straightforwardPathIsTheReference()
{
    std::mt19937 rng(7);
    for (int i = 0; i < 12; ++i) {
        const int width = 1 + int(rng() % 24), height = 1 + int(rng() % 24);
        const double angle = std::uniform_real_distribution<double>(-400, 400)(rng);
        const QImage source = randomPicture(width, height, rng);
        QVERIFY(
            sameBits(rotateWith(source, angle, straightforward(), 0x123456), ReferenceRotate(source, angle, 0x123456)));
    }
}

void tst_Rotation::badInput_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<double>("angle");
    QTest::addColumn<bool>("givesPicture");
    std::mt19937 rng(3);
    const QImage card = randomPicture(14, 9, rng);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    QTest::newRow("not a picture") << QImage() << 90.0 << false;
    QTest::newRow("NaN") << card << nan << false;
    QTest::newRow("+infinity") << card << inf << false;
    QTest::newRow("-infinity") << card << -inf << false;
    QTest::newRow("1e12") << card << 1e12 << true;
    QTest::newRow("1 x 1 at 33") << randomPicture(1, 1, rng) << 33.0 << true;
    QTest::newRow("odd sizes at 71") << randomPicture(13, 7, rng) << 71.0 << true;
    // 9,000,000 x 1 turned 45 degrees needs a 6.4 million pixel square target: more bytes than
    // the address space holds.
    QImage thin(9000000, 1, QImage::Format_RGB32);
    thin.fill(Qt::white);
    QTest::newRow("target too large to allocate") << thin << 45.0 << false;
}

void tst_Rotation::badInput()
{
    QFETCH(QImage, picture);
    QFETCH(double, angle);
    QFETCH(bool, givesPicture);
    const QImage before = picture.copy();
    const QImage turned = RotatePicture(picture, angle);
    QCOMPARE(!turned.isNull(), givesPicture);
    QVERIFY(picture.isNull() || sameBits(picture, before));
    if (givesPicture) {
        const QImage expected = ReferenceRotate(picture, angle);
        QCOMPARE(turned.size(), expected.size());
        QCOMPARE_LE(compare(turned, expected).largest, 1);
    }
}

void tst_Rotation::hookCalledOncePerColumn_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<Path>("path");
    QTest::newRow("quarter turn") << 90.0 << Path::Permutation;
    QTest::newRow("any angle") << 33.0 << Path::FixedShape;
    QTest::newRow("near a quarter turn") << 90.01 << Path::Straightforward;
}

void tst_Rotation::hookCalledOncePerColumn()
{
    QFETCH(double, angle);
    QFETCH(Path, path);
    std::mt19937 rng(5);
    const QImage source = randomPicture(150, 11, rng);
    QCOMPARE(pathFor(source, angle), path);
    HookLog log;
    const QImage turned = RotatePicture(source, angle, log.hook());
    QCOMPARE(log.calls.size(), 150);
    for (int i = 0; i < 150; ++i) {
        QCOMPARE(log.calls[i].done, i + 1);
        QCOMPARE(log.calls[i].total, 150);
        QCOMPARE(log.calls[i].fraction, (i + 1) / 150.0);
    }
    QVERIFY(sameBits(turned, RotatePicture(source, angle)));
}

void tst_Rotation::hookMayStartAnotherRotation()
{
    // Window events run inside the hook; one of them may turn another card meanwhile.
    std::mt19937 rng(12);
    const QImage outer = randomPicture(40, 30, rng), inner = randomPicture(17, 23, rng);
    QImage innerTurned;
    int calls = 0;
    const RotationHook hook = [&](double, qint32, qint32) -> qint32 {
        if (++calls == 5)
            innerTurned = RotatePicture(inner, 45, [](double, qint32, qint32) { return 0; });
        return 0;
    };
    for (const double angle : {33.0, 90.0, 90.01}) {
        calls = 0;
        innerTurned = QImage();
        QVERIFY(sameBits(RotatePicture(outer, angle, hook), RotatePicture(outer, angle)));
        QVERIFY(sameBits(innerTurned, RotatePicture(inner, 45)));
    }
}

void tst_Rotation::stoppedRotationKeepsOnlyTheBackground_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("stopAt");
    for (const double angle : {180.0, 33.0, 90.01}) {
        QTest::addRow("%g, at once", angle) << angle << 1;
        QTest::addRow("%g, half way", angle) << angle << 40;
    }
}

void tst_Rotation::stoppedRotationKeepsOnlyTheBackground()
{
    QFETCH(double, angle);
    QFETCH(int, stopAt);
    std::mt19937 rng(9);
    const QImage source = randomPicture(80, 70, rng);
    const QRgb background = qRgb(10, 20, 30);
    HookLog log;
    log.stopAt = stopAt;
    const QImage turned = RotatePicture(source, angle, log.hook(), background);
    QCOMPARE(log.calls.size(), stopAt);
    QCOMPARE(turned.size(), RotatePicture(source, angle).size());
    QVERIFY(allPixels(turned, background));
}

void tst_Rotation::resampleIntoExistingTarget()
{
    std::mt19937 rng(21);
    const QImage source = randomPicture(9, 6, rng);
    const QImage canvas = randomPicture(40, 30, rng);
    // A turned picture placed off the origin: partly covered pixels blend with whatever
    // the target held there, and pixels outside the shape keep it.
    {
        double xs[4], ys[4];
        ReferenceCorners(9, 6, 30, xs, ys);
        for (int i = 0; i < 4; ++i) {
            xs[i] += 5.3;
            ys[i] += 7.1;
        }
        QCOMPARE(rotation_engine::ChoosePath(9, 6, xs, ys, 40, 30), Path::FixedShape);
        QImage target = canvas, expected = canvas.copy();
        QVERIFY(ResampleIntoBitmap(source, target, xs, ys));
        QVERIFY(ReferenceResample(source, expected, xs, ys));
        QCOMPARE_LE(compare(target, expected).largest, 1);
        QCOMPARE(target.pixel(39, 0), canvas.pixel(39, 0));
    }
    // A quarter turn hanging over the target's edge is clipped.
    {
        const double xs[4] = {-2, -2, 4, 4}, ys[4] = {35, 26, 26, 35};
        QImage target = canvas, expected = canvas.copy();
        QVERIFY(ResampleIntoBitmap(source, target, xs, ys));
        QVERIFY(ReferenceResample(source, expected, xs, ys));
        QVERIFY(sameBits(target, expected));
    }
    // Source and target the same picture.
    {
        QImage picture = canvas.copy();
        double xs[4], ys[4];
        ReferenceCorners(40, 30, 180, xs, ys);
        QVERIFY(ResampleIntoBitmap(picture, picture, xs, ys));
        QVERIFY(sameBits(picture, RotatePicture(canvas, 180)));
    }
}

void tst_Rotation::malformedShapes()
{
    std::mt19937 rng(4);
    const QImage source = randomPicture(5, 4, rng);
    const QImage canvas = randomPicture(10, 10, rng);
    const double three[3] = {0, 1, 2}, four[4] = {0, 5, 5, 0}, five[5] = {0, 4, 4, 0, 0};
    QVERIFY(RenderToQuadrilateral(source, three, four).isNull());
    QImage target = canvas;
    QVERIFY(!ResampleIntoBitmap(source, target, four, five));
    QVERIFY(sameBits(target, canvas));
    // All corners in one point, and all on one line: nothing to draw into, or nothing drawn.
    const double point[4] = {3, 3, 3, 3};
    QVERIFY(!ResampleIntoBitmap(source, target, point, point));
    QVERIFY(sameBits(target, canvas));
    QVERIFY(RenderToQuadrilateral(source, point, point).isNull());
    const double line[4] = {0, 4, 8, 4};
    const QImage flat = RenderToQuadrilateral(source, line, line, {}, qRgb(1, 2, 3));
    QCOMPARE(flat.size(), QSize(8, 8));
    QVERIFY(allPixels(flat, qRgb(1, 2, 3)));
    // A target wider than a picture can be is refused before any memory is asked for.
    const double wide[4] = {0, 1e8, 1e8, 0}, tall[4] = {0, 0, 1, 1};
    QVERIFY(RenderToQuadrilateral(source, wide, tall).isNull());
}

void tst_Rotation::otherFormatsAreReadAs32Bit()
{
    // The fourth byte carries no colour: a transparent pixel keeps its colour, opaque.
    QImage argb(2, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(10, 20, 30, 0));
    argb.setPixel(1, 0, qRgba(40, 50, 60, 255));
    const QImage turned = RotatePicture(argb, 180);
    QCOMPARE(turned.format(), QImage::Format_RGB32);
    QCOMPARE(turned.pixel(1, 0), qRgb(10, 20, 30));
    QCOMPARE(turned.pixel(0, 0), qRgb(40, 50, 60));
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    indexed.fill(0);
    indexed.setPixel(2, 1, 1);
    const QImage quarter = RotatePicture(indexed, 90);
    QCOMPARE(quarter.size(), QSize(2, 3));
    QCOMPARE(quarter.pixel(1, 0), qRgb(0, 0, 255));
    QCOMPARE(quarter.pixel(0, 0), qRgb(255, 0, 0));
    // Premultiplied alpha: the colour shown, not the stored bytes, is turned.
    QImage premultiplied(2, 1, QImage::Format_ARGB32_Premultiplied);
    premultiplied.setPixel(0, 0, qPremultiply(qRgba(0xc8, 0x64, 0x32, 0xcc)));
    premultiplied.setPixel(1, 0, qRgb(1, 2, 3));
    const QImage half = RotatePicture(premultiplied, 180);
    QCOMPARE(half.format(), QImage::Format_RGB32);
    QCOMPARE(QColor(half.pixel(1, 0)).name(), QStringLiteral("#c86432"));
    QCOMPARE(half.pixel(0, 0), qRgb(1, 2, 3));
}

void tst_Rotation::rotationProgressYieldsAndAnswersTheFlag()
{
    qint16 cancelRotation = 0;
    int yields = 0;
    std::mt19937 rng(8);
    const QImage source = randomPicture(30, 20, rng);
    // A window event arriving during the third yield sets the flag; the rotation stops there.
    const RotationHook hook = RotationProgress(
        [&] {
            if (++yields == 3)
                cancelRotation = 1;
        },
        cancelRotation);
    const QImage turned = RotatePicture(source, 33, hook);
    QCOMPARE(yields, 3);
    QVERIFY(allPixels(turned, 0));
    cancelRotation = 0;
    yields = 0;
    QVERIFY(sameBits(RotatePicture(source, 33, RotationProgress([&] { ++yields; }, cancelRotation)),
                     RotatePicture(source, 33)));
    QCOMPARE(yields, 30);
}

QTEST_GUILESS_MAIN(tst_Rotation)
#include "tst_rotation.moc"
