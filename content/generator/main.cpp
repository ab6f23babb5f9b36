// Draws the pictures Kesto ships with: the 78 card pictures (cards/r<id>.jpg), the 8 spread
// diagrams (pic/c<index>.jpg), the face-down card of the manual pick and the application
// icons, each also drawn larger for screens of higher pixel density (r<id>@2x.jpg and @4x,
// c<index>@2x.jpg, the card back's and the icons' @2x), and on request contact sheets of the
// cards and the spreads. Everything is drawn
// here from code; the output depends only on this program and the installed DejaVu fonts,
// so every run writes the same bytes.
#include "cardart.h"

#include "core/reading/deck.h"
#include "core/reading/spreads.h"
#include "core/reading/layouts.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>
#include <functional>

using namespace kesto;

namespace {

constexpr int kJpegQuality = 95;
constexpr int kIconSizes[] = {48, 64, 128, 256};
// The scales each kind of picture is drawn at: 1 is the design size, the others serve screens
// of higher pixel density (the cards' 4x for the large close-up there).
constexpr int kCardScales[] = {1, 2, 4};
constexpr int kSpreadScales[] = {1, 2};
constexpr int kCardBackScales[] = {1, 2};
constexpr int kIconScales[] = {1, 2};

void fail(const QString &message) { std::fprintf(stderr, "kesto_contentgen: %s\n", qPrintable(message)); }

// The picture encoded in the given format, or empty bytes after reporting the failure.
QByteArray encode(const QImage &image, const char *format, const QString &what)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (qstrcmp(format, "jpeg") == 0) {
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
    } else {
        writer.setQuality(0); // PNG: the smallest file, the same pixels
    }
    if (!writer.write(image)) {
        fail(QStringLiteral("cannot encode %1: %2").arg(what, writer.errorString()));
        return {};
    }
    return bytes;
}

bool writeFile(const QByteArray &bytes, const QString &path)
{
    if (bytes.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        fail(QStringLiteral("cannot create the folder of %1").arg(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool writeImage(const QImage &image, const QString &path, const char *format)
{
    return writeFile(encode(image, format, path), path);
}

// The file name of a picture drawn `scale` times larger than its design size: "@2x" before
// the extension (cards/r5.jpg, cards/r5@2x.jpg), the names the program loads them by.
QString scaledName(const QString &name, int scale)
{
    if (scale == 1)
        return name;
    const QString tag = QStringLiteral("@%1x").arg(scale);
    const int dot = int(name.lastIndexOf(u'.'));
    if (dot <= name.lastIndexOf(u'/') + 1)
        return name + tag;
    return name.left(dot) + tag + name.mid(dot);
}

// One file to draw: where it goes (under the output folder, or absolute), how it is painted
// and encoded.
struct Picture
{
    QString path;
    std::function<QImage()> paint;
    const char *format = "jpeg";
};

// Paints and encodes every picture, in the order given; a picture that could not be encoded
// comes back as empty bytes, after its failure was reported.
QList<QByteArray> drawAll(const QList<Picture> &pictures)
{
    QList<QByteArray> files;
    for (const Picture &picture : pictures)
        files.append(encode(picture.paint(), picture.format, picture.path));
    return files;
}

bool writeAll(const QDir &dir, const QList<Picture> &pictures, const QList<QByteArray> &files)
{
    for (int i = 0; i < pictures.size(); ++i) {
        if (!writeFile(files[i], dir.filePath(pictures[i].path)))
            return false;
    }
    return true;
}

// The faces of the whole deck, or none after reporting a card the deck cannot draw.
QList<art::CardFace> deckFaces()
{
    QList<art::CardFace> faces;
    for (CardId id = 0; id < kCardCount; ++id) {
        const auto face = art::describeCard(id);
        if (!face) {
            fail(QStringLiteral("card %1 (\"%2\") has a name the deck cannot draw").arg(id).arg(CardName(id)));
            return {};
        }
        faces.append(*face);
    }
    return faces;
}

QList<Picture> cardPictures(const QList<art::CardFace> &faces, int scale)
{
    QList<Picture> pictures;
    for (int id = 0; id < faces.size(); ++id) {
        pictures.append({scaledName(QStringLiteral("cards/r%1.jpg").arg(id), scale),
                         [face = faces[id], scale] { return art::paintCard(face, scale); }});
    }
    return pictures;
}

QList<Picture> spreadPictures(int scale)
{
    QList<Picture> pictures;
    for (int index = 0; index < kSpreadLayoutCount; ++index) {
        pictures.append({scaledName(QStringLiteral("pic/c%1.jpg").arg(index), scale),
                         [index, scale] { return art::paintSpread(index, SpreadByIndex(index)->listName, scale); }});
    }
    return pictures;
}

// All pictures in a grid on a dark ground, each with its file name under it.
QImage contactSheet(const QList<QImage> &pictures, int columns, const QString &namePattern)
{
    const QSize cell = pictures.first().size();
    const int gap = 10, caption = 16;
    const int rows = (int(pictures.size()) + columns - 1) / columns;
    QImage sheet(gap + columns * (cell.width() + gap), gap + rows * (cell.height() + caption + gap),
                 QImage::Format_RGB32);
    sheet.fill(QColor(0x3a, 0x35, 0x40));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(art::sansFont(11, false));
    p.setPen(QColor(0xe8, 0xe2, 0xd4));
    for (int i = 0; i < pictures.size(); ++i) {
        const QPoint at(gap + (i % columns) * (cell.width() + gap),
                        gap + (i / columns) * (cell.height() + caption + gap));
        p.drawImage(at, pictures[i]);
        p.drawText(QRect(at.x(), at.y() + cell.height(), cell.width(), caption), Qt::AlignCenter, namePattern.arg(i));
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts are all the generator needs of the window system; it never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws Kesto's card, spread and icon pictures."));
    parser.addHelpOption();
    const QCommandLineOption programDir(QStringLiteral("program-dir"),
                                        QStringLiteral("Write cards/, pic/ and icons/ into <folder>, each "
                                                       "picture also at larger sizes (<name>@2x, cards @4x)."),
                                        QStringLiteral("folder"));
    const QCommandLineOption cardBack(QStringLiteral("card-back"),
                                      QStringLiteral("Write the face-down card picture to <file>, and the same "
                                                     "picture at twice the size beside it (<name>@2x.jpg)."),
                                      QStringLiteral("file"));
    const QCommandLineOption sheets(QStringLiteral("contact-sheets"),
                                    QStringLiteral("Write cards.png and spreads.png into <folder>."),
                                    QStringLiteral("folder"));
    parser.addOptions({programDir, cardBack, sheets});
    parser.process(app);
    if (!parser.isSet(programDir) && !parser.isSet(cardBack) && !parser.isSet(sheets)) {
        fail(QStringLiteral("nothing to do; see --help"));
        return 2;
    }

    QString problem;
    if (!art::fontsAvailable(&problem)) {
        fail(problem + QStringLiteral(" (install fonts-dejavu-core)"));
        return 1;
    }

    const QList<art::CardFace> faces = deckFaces();
    if (faces.isEmpty())
        return 1;

    bool ok = true;
    if (parser.isSet(programDir)) {
        QList<Picture> pictures;
        for (const int scale : kCardScales)
            pictures += cardPictures(faces, scale);
        for (const int scale : kSpreadScales)
            pictures += spreadPictures(scale);
        for (const int scale : kIconScales) {
            for (const int size : kIconSizes) {
                pictures.append({scaledName(QStringLiteral("icons/kesto-%1.png").arg(size), scale),
                                 [size, scale] { return art::paintIcon(size * scale); }, "png"});
            }
        }
        ok = writeAll(QDir(parser.value(programDir)), pictures, drawAll(pictures));
    }
    if (ok && parser.isSet(cardBack)) {
        // The resource holds every scale; the larger ones go beside the given file.
        const QString path = QFileInfo(parser.value(cardBack)).absoluteFilePath();
        QList<Picture> pictures;
        for (const int scale : kCardBackScales)
            pictures.append({scaledName(path, scale), [scale] { return art::paintCardBack(kCardBackSize, scale); }});
        ok = writeAll(QDir(), pictures, drawAll(pictures));
    }
    if (ok && parser.isSet(sheets)) {
        // The sheets show the pictures as they ship, at the design size, decoded again.
        const auto decoded = [](const QList<Picture> &pictures, bool *ok) {
            QList<QImage> images;
            for (const QByteArray &bytes : drawAll(pictures)) {
                images.append(QImage::fromData(bytes, "jpeg"));
                *ok = *ok && !images.last().isNull();
            }
            return images;
        };
        const QList<QImage> cards = decoded(cardPictures(faces, 1), &ok);
        const QList<QImage> spreads = decoded(spreadPictures(1), &ok);
        const QDir dir(parser.value(sheets));
        ok = ok
            && writeImage(contactSheet(cards, 13, QStringLiteral("r%1")), dir.filePath(QStringLiteral("cards.png")),
                          "png")
            && writeImage(contactSheet(spreads, 4, QStringLiteral("c%1")), dir.filePath(QStringLiteral("spreads.png")),
                          "png");
    }
    return ok ? 0 : 1;
}
