// The larger pictures beside a shipped picture: which file a screen's pixel ratio reads, and
// that a larger file which does not belong to the plain picture is never shown.
#include "core/platform/regularfile.h"
#include "fifowatch.h"
#include "testfolder.h"

#include <QBuffer>
#include <QDir>
#include <QtTest>

using namespace kesto;
using kesto::test::FifoWatch;
using kesto::test::TestFolder;

namespace {

// A one-colour PNG of the given size; the colour tells which file was read.
QByteArray png(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const QColor kPlain(Qt::red);
const QColor kDouble(Qt::green);
const QColor kQuadruple(Qt::blue);

} // namespace

class tst_ScaledPicture : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void names_data();
    void names();
    void scales_data();
    void scales();
    void reading_data();
    void reading();
};

void tst_ScaledPicture::names_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("scaled");
    QTest::newRow("plain") << "/p/cards/r5.jpg" << 1 << "/p/cards/r5.jpg";
    QTest::newRow("double") << "/p/cards/r5.jpg" << 2 << "/p/cards/r5@2x.jpg";
    QTest::newRow("quadruple") << "/p/cards/r77.jpg" << 4 << "/p/cards/r77@4x.jpg";
    QTest::newRow("dot in a folder") << "/p.d/pic/c3.jpg" << 2 << "/p.d/pic/c3@2x.jpg";
    QTest::newRow("no extension") << "/p.d/cardback" << 2 << "/p.d/cardback@2x";
    QTest::newRow("resource") << ":/kesto/cardback.jpg" << 2 << ":/kesto/cardback@2x.jpg";
}

void tst_ScaledPicture::names()
{
    QFETCH(QString, path);
    QFETCH(int, scale);
    QFETCH(QString, scaled);
    QCOMPARE(ScaledPicturePath(path, scale), scaled);
}

void tst_ScaledPicture::scales_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("largest");
    QTest::addColumn<int>("scale");
    QTest::newRow("1") << 1.0 << 4 << 1;
    QTest::newRow("a hair above 1") << 1.0000001 << 4 << 1;
    QTest::newRow("1.25") << 1.25 << 2 << 2;
    QTest::newRow("2") << 2.0 << 4 << 2;
    QTest::newRow("3, up to 4") << 3.0 << 4 << 4;
    QTest::newRow("3, up to 2") << 3.0 << 2 << 2;
    QTest::newRow("below 1") << 0.5 << 2 << 1;
    QTest::newRow("only the plain picture") << 2.0 << 1 << 1;
}

void tst_ScaledPicture::scales()
{
    QFETCH(qreal, ratio);
    QFETCH(int, largest);
    QFETCH(int, scale);
    QCOMPARE(PictureScaleFor(ratio, largest), scale);
}

void tst_ScaledPicture::reading_data()
{
    // Which files lie in the folder: the plain one (10 x 6), @2x and @4x, each as "ok" (the
    // right size), "size" (another size), "junk" (not a picture), "fifo", "folder" or "".
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("atDouble");
    QTest::addColumn<QString>("atQuadruple");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("largest");
    QTest::addColumn<QColor>("colour"); // invalid: a null picture
    QTest::addColumn<int>("pixelRatio");

    QTest::newRow("ratio 1 reads the plain file") << "ok" << "ok" << "ok" << 1.0 << 4 << kPlain << 1;
    QTest::newRow("ratio 2") << "ok" << "ok" << "ok" << 2.0 << 4 << kDouble << 2;
    QTest::newRow("ratio 2.5, up to 4") << "ok" << "ok" << "ok" << 2.5 << 4 << kQuadruple << 4;
    QTest::newRow("ratio 2.5, up to 2") << "ok" << "ok" << "ok" << 2.5 << 2 << kDouble << 2;
    QTest::newRow("@4x missing") << "ok" << "ok" << "" << 4.0 << 4 << kDouble << 2;
    QTest::newRow("@2x missing") << "ok" << "" << "" << 2.0 << 2 << kPlain << 1;
    QTest::newRow("@2x of another size") << "ok" << "size" << "" << 2.0 << 2 << kPlain << 1;
    QTest::newRow("@2x not a picture") << "ok" << "junk" << "" << 2.0 << 2 << kPlain << 1;
    QTest::newRow("@2x a FIFO") << "ok" << "fifo" << "" << 2.0 << 2 << kPlain << 1;
    QTest::newRow("@2x a folder") << "ok" << "folder" << "" << 2.0 << 2 << kPlain << 1;
    QTest::newRow("plain missing") << "" << "ok" << "ok" << 2.0 << 4 << QColor() << 0;
    QTest::newRow("plain not a picture") << "junk" << "ok" << "" << 2.0 << 2 << QColor() << 0;
    QTest::newRow("plain a FIFO") << "fifo" << "ok" << "" << 2.0 << 2 << QColor() << 0;
}

void tst_ScaledPicture::reading()
{
    QFETCH(QString, plain);
    QFETCH(QString, atDouble);
    QFETCH(QString, atQuadruple);
    QFETCH(qreal, ratio);
    QFETCH(int, largest);
    QFETCH(QColor, colour);
    QFETCH(int, pixelRatio);

    TestFolder folder;
    FifoWatch fifos;
    const QString path = folder.filePath(QStringLiteral("cards/r5.jpg"));
    const QSize base(10, 6);
    const auto lay = [&](const QString &what, int scale, QColor fill) {
        const QString file = QStringLiteral("cards/") + QFileInfo(ScaledPicturePath(path, scale)).fileName();
        if (what == u"ok")
            folder.writeFile(file, png(base * scale, fill));
        else if (what == u"size")
            folder.writeFile(file, png(base * scale + QSize(1, 0), fill));
        else if (what == u"junk")
            folder.writeFile(file, "not a picture");
        else if (what == u"fifo")
            QVERIFY(fifos.make(folder.filePath(file)));
        else if (what == u"folder")
            folder.makeFolder(file);
    };
    lay(plain, 1, kPlain);
    lay(atDouble, 2, kDouble);
    lay(atQuadruple, 4, kQuadruple);

    const QImage picture = ReadPictureForRatio(path, ratio, largest);
    if (!colour.isValid()) {
        QVERIFY(picture.isNull());
        return;
    }
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.pixelColor(0, 0), colour);
    QCOMPARE(picture.devicePixelRatio(), qreal(pixelRatio));
    // Whatever file was read, the picture shows at the plain picture's size.
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(base));
    QCOMPARE(fifos.unblocked(), 0);
}

QTEST_GUILESS_MAIN(tst_ScaledPicture)
#include "tst_scaledpicture.moc"
