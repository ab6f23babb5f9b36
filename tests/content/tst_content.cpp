#include "core/reading/deck.h"
#include "core/reading/layouts.h"

#include <QDirIterator>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace kesto;

namespace {

QString programDir() { return qEnvironmentVariable("KESTO_PROGRAM_DIR"); }

QImage readPicture(const QString &path, QByteArray *format = nullptr)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (format)
        *format = reader.format();
    const QImage image = reader.read();
    return image.convertToFormat(QImage::Format_RGB32);
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
    void cardBackResource();
    void generatorWritesTheSameBytes();
};

void tst_Content::initTestCase() { QVERIFY2(!programDir().isEmpty(), "KESTO_PROGRAM_DIR is not set"); }

void tst_Content::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    for (CardId id = 0; id < kCardCount; ++id) {
        const QString path = CardPicturePath(programDir(), id);
        QTest::addRow("card r%d", id) << path << QByteArray("jpeg") << kCardPictureSize;
    }
    for (int index = 0; index < kSpreadLayoutCount; ++index) {
        QTest::addRow("spread c%d", index)
            << programDir() + QStringLiteral("/pic/c%1.jpg").arg(index) << QByteArray("jpeg") << kSpreadPictureSize;
    }
    for (const int size : {48, 64, 128, 256}) {
        QTest::addRow("icon %d", size) << programDir() + QStringLiteral("/icons/kesto-%1.png").arg(size)
                                       << QByteArray("png") << QSize(size, size);
    }
}

void tst_Content::pictures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QVERIFY2(QFileInfo::exists(path), qPrintable(path + QStringLiteral(" is missing")));
    QByteArray actualFormat;
    const QImage image = readPicture(path, &actualFormat);
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" cannot be read")));
    QCOMPARE(actualFormat, format);
    QCOMPARE(image.size(), size);
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

void tst_Content::cardBackResource()
{
    QByteArray format;
    const QImage back = readPicture(QStringLiteral(":/kesto/cardback.jpg"), &format);
    QVERIFY(!back.isNull());
    QCOMPARE(format, QByteArray("jpeg"));
    QCOMPARE(back.size(), kCardBackSize);
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
    QCOMPARE(compared, kCardCount + kSpreadLayoutCount + 4);
}

QTEST_GUILESS_MAIN(tst_Content)
#include "tst_content.moc"
