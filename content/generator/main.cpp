// Draws the pictures Kesto ships with: the 78 card pictures (cards/r<id>.jpg), the 8 spread
// diagrams (pic/c<index>.jpg), the face-down card of the manual pick and the application
// icons, and on request contact sheets of the cards and the spreads. Everything is drawn
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

using namespace kesto;

namespace {

constexpr int kJpegQuality = 95;
constexpr int kIconSizes[] = {48, 64, 128, 256};

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

// Pictures as they ship: encoded as JPEG, and decoded again for the contact sheets.
struct Encoded
{
    QList<QByteArray> files;
    QList<QImage> decoded;
};

Encoded encodeAll(const QList<QImage> &pictures, const QString &pattern)
{
    Encoded out;
    for (int i = 0; i < pictures.size(); ++i) {
        QByteArray bytes = encode(pictures[i], "jpeg", pattern.arg(i));
        if (bytes.isEmpty())
            return {};
        out.decoded.append(QImage::fromData(bytes, "jpeg"));
        out.files.append(std::move(bytes));
    }
    return out;
}

QList<QImage> paintCards()
{
    QList<QImage> cards;
    for (CardId id = 0; id < kCardCount; ++id) {
        const auto face = art::describeCard(id);
        if (!face) {
            fail(QStringLiteral("card %1 (\"%2\") has a name the deck cannot draw").arg(id).arg(CardName(id)));
            return {};
        }
        cards.append(art::paintCard(*face));
    }
    return cards;
}

QList<QImage> paintSpreads()
{
    QList<QImage> spreads;
    for (int index = 0; index < kSpreadLayoutCount; ++index)
        spreads.append(art::paintSpread(index, SpreadByIndex(index)->listName));
    return spreads;
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
                                        QStringLiteral("Write cards/, pic/ and icons/ into <folder>."),
                                        QStringLiteral("folder"));
    const QCommandLineOption cardBack(QStringLiteral("card-back"),
                                      QStringLiteral("Write the face-down card picture to <file>."),
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

    const QList<QImage> cardPictures = paintCards();
    if (cardPictures.isEmpty())
        return 1;
    const Encoded cards = encodeAll(cardPictures, QStringLiteral("cards/r%1.jpg"));
    const Encoded spreads = encodeAll(paintSpreads(), QStringLiteral("pic/c%1.jpg"));
    if (cards.files.isEmpty() || spreads.files.isEmpty())
        return 1;

    bool ok = true;
    if (parser.isSet(programDir)) {
        const QDir dir(parser.value(programDir));
        for (int id = 0; id < cards.files.size(); ++id)
            ok = ok && writeFile(cards.files[id], dir.filePath(QStringLiteral("cards/r%1.jpg").arg(id)));
        for (int index = 0; index < spreads.files.size(); ++index)
            ok = ok && writeFile(spreads.files[index], dir.filePath(QStringLiteral("pic/c%1.jpg").arg(index)));
        for (const int size : kIconSizes)
            ok = ok
                && writeImage(art::paintIcon(size), dir.filePath(QStringLiteral("icons/kesto-%1.png").arg(size)),
                              "png");
    }
    if (ok && parser.isSet(cardBack))
        ok = writeImage(art::paintCardBack(kCardBackSize), parser.value(cardBack), "jpeg");
    if (ok && parser.isSet(sheets)) {
        const QDir dir(parser.value(sheets));
        ok = writeImage(contactSheet(cards.decoded, 13, QStringLiteral("r%1")),
                        dir.filePath(QStringLiteral("cards.png")), "png")
            && writeImage(contactSheet(spreads.decoded, 4, QStringLiteral("c%1")),
                          dir.filePath(QStringLiteral("spreads.png")), "png");
    }
    return ok ? 0 : 1;
}
