#include "core/reading/deck.h"
#include "core/reading/layouts.h"

#include <QDirIterator>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace kesto;

namespace {

QString programDir() { return qEnvironmentVariable("KESTO_PROGRAM_DIR"); }

// The picture, opaque: one with transparency (an icon) laid on a white ground.
QImage readPicture(const QString &path, QByteArray *format = nullptr)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    QImage image = reader.read();
    image.setDevicePixelRatio(1); // "@2x" in the name sets it; the checks count real pixels
    if (image.isNull() || !image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter(&opaque).drawImage(0, 0, image);
    return opaque;
}

// Share of pixels whose colour differs clearly between two pictures of one size: JPEG noise
// stays well below the threshold, a different drawing or caption far above it.
double clearlyDifferentShare(const QImage &a, const QImage &b)
{
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = qMax(qAbs(qRed(ra[x]) - qRed(rb[x])),
                               qMax(qAbs(qGreen(ra[x]) - qGreen(rb[x])), qAbs(qBlue(ra[x]) - qBlue(rb[x]))));
            if (d > 48)
                ++differing;
        }
    }
    return double(differing) / (a.width() * a.height());
}

// The pictures at their design size are drawn larger for screens of higher pixel density:
// <name>@2x (the cards also @4x) beside each, and the card back in the resource.
constexpr int kCardScales[] = {1, 2, 4};
constexpr int kOtherScales[] = {1, 2};

QString scaled(const QString &pattern, int scale)
{
    return pattern.arg(scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale));
}

} // namespace

class tst_Content : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pictures_data();
    void pictures();
    void cardsAreDistinct();
    void spreadsAreDistinct();
    void generatorWritesTheSameBytes();
};

void tst_Content::initTestCase() { QVERIFY2(!programDir().isEmpty(), "KESTO_PROGRAM_DIR is not set"); }

void tst_Content::pictures_data()
{
    // A larger picture also names its design-size picture, whose drawing it must show.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("designPath");
    for (const int scale : kCardScales) {
        for (CardId id = 0; id < kCardCount; ++id) {
            const QString design = CardPicturePath(programDir(), id);
            const QString pattern = programDir() + QStringLiteral("/cards/r%1%2.jpg").arg(id);
            QCOMPARE(scaled(pattern, 1), design);
            QTest::addRow("card r%d x%d", id, scale) << scaled(pattern, scale) << QByteArray("jpeg")
                                                     << kCardPictureSize * scale << (scale == 1 ? QString() : design);
        }
    }
    for (const int scale : kOtherScales) {
        for (int index = 0; index < kSpreadLayoutCount; ++index) {
            const QString pattern = programDir() + QStringLiteral("/pic/c%1%2.jpg").arg(index);
            QTest::addRow("spread c%d x%d", index, scale)
                << scaled(pattern, scale) << QByteArray("jpeg") << kSpreadPictureSize * scale
                << (scale == 1 ? QString() : scaled(pattern, 1));
        }
        for (const int size : {48, 64, 128, 256}) {
            const QString pattern = programDir() + QStringLiteral("/icons/kesto-%1%2.png").arg(size);
            QTest::addRow("icon %d x%d", size, scale)
                << scaled(pattern, scale) << QByteArray("png") << QSize(size, size) * scale
                << (scale == 1 ? QString() : scaled(pattern, 1));
        }
        // The face-down card of the manual pick, as the program carries it.
        const QString back = QStringLiteral(":/kesto/cardback%1.jpg");
        QTest::addRow("card back resource x%d", scale)
            << scaled(back, scale) << QByteArray("jpeg") << kCardBackSize * scale
            << (scale == 1 ? QString() : scaled(back, 1));
    }
}

void tst_Content::pictures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QFETCH(QString, designPath);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + QStringLiteral(" is missing")));
    QByteArray actualFormat;
    const QImage image = readPicture(path, &actualFormat);
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" cannot be read")));
    QCOMPARE(actualFormat, format);
    QCOMPARE(image.size(), size);
    if (designPath.isEmpty())
        return;
    // The same drawing, only sharper. Both pictures are brought down to half the design size,
    // where the design picture's own font hinting and JPEG noise fade out (under 0.5 % of the
    // pixels stay clearly apart) while another card (over 5 %), lettering set wider or
    // outlines of another weight (around 1 % and more) still stand out.
    const QImage design = readPicture(designPath);
    QVERIFY(!design.isNull());
    const QSize half = design.size() / 2;
    const double share = clearlyDifferentShare(image.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                               design.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QVERIFY2(share < 0.0075,
             qPrintable(QStringLiteral("%1 and %2 differ in %3 % of pixels at half the size")
                            .arg(path, designPath)
                            .arg(share * 100, 0, 'f', 2)));
}

void tst_Content::cardsAreDistinct()
{
    QList<QImage> cards;
    for (CardId id = 0; id < kCardCount; ++id) {
        cards.append(readPicture(CardPicturePath(programDir(), id)));
        QCOMPARE(cards.last().size(), kCardPictureSize);
    }
    for (int a = 0; a < cards.size(); ++a) {
        for (int b = a + 1; b < cards.size(); ++b) {
            const double share = clearlyDifferentShare(cards[a], cards[b]);
            QVERIFY2(share > 0.02,
                     qPrintable(QStringLiteral("r%1.jpg and r%2.jpg differ in only %3 % of pixels")
                                    .arg(a)
                                    .arg(b)
                                    .arg(share * 100, 0, 'f', 2)));
        }
    }
}

void tst_Content::spreadsAreDistinct()
{
    QList<QImage> spreads;
    for (int index = 0; index < kSpreadLayoutCount; ++index)
        spreads.append(readPicture(programDir() + QStringLiteral("/pic/c%1.jpg").arg(index)));
    for (int a = 0; a < spreads.size(); ++a) {
        for (int b = a + 1; b < spreads.size(); ++b)
            QVERIFY2(clearlyDifferentShare(spreads[a], spreads[b]) > 0.02,
                     qPrintable(QStringLiteral("c%1.jpg and c%2.jpg look alike").arg(a).arg(b)));
    }
}

void tst_Content::generatorWritesTheSameBytes()
{
    // A second run must reproduce the build's pictures byte for byte: nothing in them may
    // depend on the time, the environment or chance.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess generator;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    generator.setProcessEnvironment(env);
    generator.start(QString::fromUtf8(KESTO_CONTENTGEN), {QStringLiteral("--program-dir"), out.path()});
    QVERIFY(generator.waitForFinished(120000));
    QVERIFY2(generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0,
             generator.readAllStandardError().constData());

    int compared = 0;
    QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fresh = it.next();
        const QString relative = QDir(out.path()).relativeFilePath(fresh);
        QFile a(fresh), b(programDir() + u'/' + relative);
        QVERIFY(a.open(QIODevice::ReadOnly));
        QVERIFY2(b.open(QIODevice::ReadOnly), qPrintable(relative));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(relative + QStringLiteral(" differs between runs")));
        ++compared;
    }
    QCOMPARE(compared,
             kCardCount * int(std::size(kCardScales)) + (kSpreadLayoutCount + 4) * int(std::size(kOtherScales)));
}

QTEST_GUILESS_MAIN(tst_Content)
#include "tst_content.moc"
