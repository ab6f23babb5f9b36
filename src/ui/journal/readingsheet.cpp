#include "ui/journal/readingsheet.h"

#include "core/journal/reportdocument.h"
#include "core/platform/platform.h"
#include "core/reading/deck.h"
#include "core/reading/layouts.h"
#include "core/rotation/cardturner.h"
#include "ui/journal/journalmodel.h"
#include "ui/screens/frmauto.h"
#include "ui/screens/placement.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

#include <memory>

namespace kesto {

namespace {

const QColor kTableColour(0x1F, 0x4D, 0x36);
const QColor kNumberPlateColour(0x2E, 0x1F, 0x5E);
const QColor kNumberColour(0xF5, 0xD7, 0x6E);
// The number plate of a card box: 615 x 495 twips at its top-left corner.
constexpr int kPlateWidth = 615 / kPictureTwipsPerPixel;
constexpr int kPlateHeight = 495 / kPictureTwipsPerPixel;
// The part of the page the card table may take at most.
constexpr double kCardTableShare = 0.6;

QString localTimeText(const QDateTime &time) { return QLocale().toString(time.toLocalTime(), QLocale::LongFormat); }

// Block groups of the report: each ends with a separator rule. A group is a position's
// block (or the banner, or the spread's description) and is kept on one page.
QList<QPair<int, int>> ruleGroups(const QTextDocument &document, int firstBlock)
{
    QList<QPair<int, int>> groups;
    int start = firstBlock;
    for (QTextBlock block = document.findBlockByNumber(firstBlock); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            groups.append({start, block.blockNumber()});
            start = block.blockNumber() + 1;
        }
    }
    if (start < document.blockCount())
        groups.append({start, document.blockCount() - 1});
    return groups;
}

void keepGroupsTogether(QTextDocument &document, int firstBlock, qreal pageHeight)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    for (const auto &[first, last] : ruleGroups(document, firstBlock)) {
        const QTextBlock head = document.findBlockByNumber(first);
        const QTextBlock tail = document.findBlockByNumber(last);
        const qreal top = layout->blockBoundingRect(head).top();
        const qreal bottom = layout->blockBoundingRect(tail).bottom();
        const bool split = int(top / pageHeight) != int((bottom - 1) / pageHeight);
        if (split && bottom - top < pageHeight * 0.9) {
            QTextBlockFormat format = head.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(head).setBlockFormat(format);
        }
    }
}

// The separator lines are blanks in a paragraph that draws a rule; on paper the rule is
// all that shows, so the sheet's copy keeps the rule and leaves out the blanks.
void clearRuleBlanks(QTextDocument &report)
{
    for (QTextBlock block = report.begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            continue;
        if (block.text().trimmed().isEmpty() && block.length() > 1) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        }
    }
}

void insertPlain(QTextCursor &cursor, const QString &text, const QTextCharFormat &format)
{
    // Plain text, never markup; control characters as blanks.
    cursor.insertText(OneLine(text), format);
}

} // namespace

QPageSize::PageSizeId LocalePaperSize(const QLocale &locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

namespace {

// The pictures a printed or exported sheet shows: the twice-size ones.
constexpr qreal kSheetPictureRatio = 2.0;

// A finished reading's card table ready to paint: each card's picture, turned as it lay,
// at its place in pixels of the plain pictures' own size. The pictures may be the larger
// ones (their device pixel ratio says so); they paint at the same size, only sharper.
struct CardTablePieces
{
    struct Card
    {
        QPoint at;
        QImage picture;
        int number = 0;
    };
    QSize size;
    QList<Card> cards;
};

CardTablePieces cardTablePieces(Platform &platform, const JournalReading &reading, qreal pictureRatio)
{
    CardTablePieces pieces;
    CurrentReading cast;
    reading.restoreInto(cast);
    const auto layout = FinishedReadingLayout(cast);
    const QList<CardId> cards = reading.reportedCards();
    if (!layout || cards.isEmpty())
        return pieces;
    const QRect bounds = LayoutBoundsTwips(*layout);
    if (bounds.isNull())
        return pieces;
    const int margin = 10;
    pieces.size = QSize(bounds.width() / kPictureTwipsPerPixel + 2 * margin,
                        bounds.height() / kPictureTwipsPerPixel + 2 * margin);
    CardTurner turner;
    for (int i = 0; i < std::min(int(cards.size()), int(frmAuto::kBoxCount)); ++i) {
        const auto position = LayoutPositionOf(*layout, i + 1);
        if (!position)
            continue;
        CardTablePieces::Card card;
        card.at = QPoint((position->left - bounds.left()) / kPictureTwipsPerPixel + margin,
                         (position->top - bounds.top()) / kPictureTwipsPerPixel + margin);
        card.number = i + 1;
        card.picture = LoadCardPicture(platform, cards[i], pictureRatio);
        if (!card.picture.isNull() && (position->quarterTurned || IsInArray(cards[i], reading.reversedCards))) {
            turner.sourcePicture = card.picture;
            card.picture = turner.turn(position->quarterTurned ? 90.0 : 180.0, [] {});
        }
        pieces.cards.append(card);
    }
    return pieces;
}

// Paints the table into the rectangle, scaled to it: on a PDF each picture stays a picture
// of its own size, the table's colour a filled shape.
void paintCardTable(QPainter &painter, const CardTablePieces &pieces, const QRectF &target)
{
    if (pieces.size.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / pieces.size.width(), target.height() / pieces.size.height());
    painter.fillRect(QRect(QPoint(0, 0), pieces.size), kTableColour);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont numberFont(QStringLiteral("Arial Black"));
    numberFont.setPixelSize(18);
    numberFont.setWeight(QFont::Black);
    painter.setFont(numberFont);
    for (const CardTablePieces::Card &card : pieces.cards) {
        if (!card.picture.isNull())
            painter.drawImage(card.at, card.picture);
        const QRect plate(card.at, QSize(kPlateWidth, kPlateHeight));
        painter.fillRect(plate, kNumberPlateColour);
        painter.setPen(kNumberColour);
        painter.drawText(plate, Qt::AlignCenter, QString::number(card.number));
    }
    painter.restore();
}

constexpr int kCardTableObject = QTextFormat::UserObject + 1;

// The card table as an object of the sheet's text: laid out like a picture, painted from
// its pieces when the page is drawn.
class CardTableObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    CardTableObject(CardTablePieces pieces, QSizeF size) : m_pieces(std::move(pieces)), m_size(size) {}

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &) override { return m_size; }
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int, const QTextFormat &) override
    {
        paintCardTable(*painter, m_pieces, rect);
    }

private:
    CardTablePieces m_pieces;
    QSizeF m_size;
};

} // namespace

QImage DrawCardTable(Platform &platform, const JournalReading &reading)
{
    const CardTablePieces pieces = cardTablePieces(platform, reading, 1.0);
    if (pieces.size.isEmpty())
        return QImage();
    QImage table(pieces.size, QImage::Format_RGB32);
    QPainter painter(&table);
    paintCardTable(painter, pieces, QRectF(QPointF(0, 0), pieces.size));
    return table;
}

QString ReadingSheetTitle(const JournalReading &reading)
{
    const QString name = OneLine(reading.strName).trimmed();
    const QString date = QLocale().toString(reading.keptAt.toLocalTime(), QLocale::ShortFormat);
    return name.isEmpty() ? QStringLiteral("Kesto reading, %1").arg(date)
                          : QStringLiteral("Kesto reading for %1, %2").arg(name, date);
}

QString SuggestedPdfName(const JournalReading &reading)
{
    QString name = OneLine(reading.strName).trimmed();
    // Only what every file system takes.
    for (QChar &c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-'))
            c = QLatin1Char(' ');
    name = name.simplified().replace(QLatin1Char(' '), QLatin1Char('-')).left(40);
    const QString date = reading.keptAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    return QStringLiteral("Kesto-reading-") + (name.isEmpty() ? QString() : name + QLatin1Char('-')) + date
        + QStringLiteral(".pdf");
}

int PaintReadingSheet(QPagedPaintDevice &device, Platform &platform, const JournalReading &reading)
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const qreal dpi = device.logicalDpiY();
    const qreal width = device.width();
    const qreal footer = dpi * 0.4;
    const qreal pageHeight = device.height() - footer;

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    QFont body(QStringLiteral("Verdana"));
    body.setPointSizeF(10);
    document.setDefaultFont(body);
    document.setPageSize(QSizeF(width, pageHeight));

    QTextCursor cursor(&document);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat heading = bold;
    heading.setFontPointSize(18);

    // The program's name and the time of the reading.
    cursor.insertText(QStringLiteral("Kesto"), heading);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Tarot reading of ") + localTimeText(reading.keptAt), plain);

    // The querent.
    QTextTableFormat tableFormat;
    tableFormat.setBorder(0);
    tableFormat.setCellPadding(2);
    tableFormat.setTopMargin(dpi * 0.1);
    const std::pair<QString, QString> details[] = {
        {QStringLiteral("Name"), reading.strName},       {QStringLiteral("Date of Birth"), reading.strDOB},
        {QStringLiteral("Country"), reading.strCountry}, {QStringLiteral("Question"), reading.strQ},
        {QStringLiteral("Spread"), reading.spreadName},
    };
    QTextTable *table = cursor.insertTable(int(std::size(details)), 2, tableFormat);
    for (int row = 0; row < int(std::size(details)); ++row) {
        QTextCursor cell = table->cellAt(row, 0).firstCursorPosition();
        cell.insertText(details[row].first, bold);
        cell = table->cellAt(row, 1).firstCursorPosition();
        insertPlain(cell, details[row].second, plain);
    }
    cursor.movePosition(QTextCursor::End);

    // The cards in the spread's pattern, as large as the page allows.
    // On paper the table is a few inches wide: the larger pictures keep the cards sharp there.
    CardTablePieces pieces = cardTablePieces(platform, reading, kSheetPictureRatio);
    std::unique_ptr<CardTableObject> tableObject;
    if (!pieces.size.isEmpty()) {
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(dpi * 0.1);
        centred.setBottomMargin(dpi * 0.1);
        cursor.insertBlock(centred);
        const qreal scale = std::min(width / pieces.size.width(), pageHeight * kCardTableShare / pieces.size.height());
        const QSizeF size(pieces.size.width() * scale, pieces.size.height() * scale);
        tableObject = std::make_unique<CardTableObject>(std::move(pieces), size);
        document.documentLayout()->registerHandler(kCardTableObject, tableObject.get());
        QTextCharFormat object;
        object.setObjectType(kCardTableObject);
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }

    // The report as it was written.
    QTextDocument report;
    DecodeReport(reading.report, report);
    clearRuleBlanks(report);
    cursor.insertBlock(QTextBlockFormat(), plain);
    const int reportStart = cursor.blockNumber();
    cursor.insertFragment(QTextDocumentFragment(&report));

    keepGroupsTogether(document, reportStart, pageHeight);

    const int pages = document.pageCount();
    QFont footerFont(body);
    footerFont.setPointSizeF(8);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -page * pageHeight);
        document.drawContents(&painter, QRectF(0, page * pageHeight, width, pageHeight));
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, pageHeight, width, footer), Qt::AlignCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    painter.end();
    return pages;
}

bool ExportReadingPdf(const QString &path, Platform &platform, const JournalReading &reading)
{
    QPdfWriter writer(path);
    writer.setTitle(ReadingSheetTitle(reading));
    writer.setCreator(QStringLiteral("Kesto"));
    writer.setResolution(300);
    writer.setPageSize(QPageSize(LocalePaperSize()));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    const int pages = PaintReadingSheet(writer, platform, reading);
    return pages > 0 && QFileInfo(path).size() > 0;
}

void ExportReadingPdfAsked(QWidget *, Platform &platform, const JournalReading &reading)
{
    const QString path = platform.chooseFileToSave(QStringLiteral("Export as PDF"), QStringLiteral("PDF files (*.pdf)"),
                                                   SuggestedPdfName(reading));
    if (path.isEmpty())
        return;
    if (!ExportReadingPdf(path, platform, reading))
        platform.message(QStringLiteral("The reading could not be saved as %1.").arg(path), MessageIcon::Error);
}

void PrintReadingWithPreview(QWidget *parent, Platform &platform, const JournalReading &reading)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(ReadingSheetTitle(reading));
    printer.setCreator(QStringLiteral("Kesto"));
    printer.setPageSize(QPageSize(LocalePaperSize()));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgPrintPreview"));
    preview.setWindowTitle(QStringLiteral("Print Reading"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&platform, &reading](QPrinter *target) { PaintReadingSheet(*target, platform, reading); });
    preview.exec();
}

} // namespace kesto

#include "readingsheet.moc"
