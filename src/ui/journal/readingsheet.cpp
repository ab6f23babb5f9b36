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

QImage DrawCardTable(Platform &platform, const JournalReading &reading)
{
    CurrentReading cast;
    reading.restoreInto(cast);
    const auto layout = FinishedReadingLayout(cast);
    const QList<CardId> cards = reading.reportedCards();
    if (!layout || cards.isEmpty())
        return QImage();
    const QRect bounds = LayoutBoundsTwips(*layout);
    if (bounds.isNull())
        return QImage();
    const int margin = 10;
    QImage table(bounds.width() / kPictureTwipsPerPixel + 2 * margin,
                 bounds.height() / kPictureTwipsPerPixel + 2 * margin, QImage::Format_RGB32);
    table.fill(kTableColour);
    QPainter painter(&table);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont numberFont(QStringLiteral("Arial Black"));
    numberFont.setPixelSize(18);
    numberFont.setWeight(QFont::Black);
    painter.setFont(numberFont);
    CardTurner turner;
    for (int i = 0; i < std::min(int(cards.size()), int(frmAuto::kBoxCount)); ++i) {
        const auto position = LayoutPositionOf(*layout, i + 1);
        if (!position)
            continue;
        const QPoint at((position->left - bounds.left()) / kPictureTwipsPerPixel + margin,
                        (position->top - bounds.top()) / kPictureTwipsPerPixel + margin);
        const CardId card = cards[i];
        QImage picture = LoadCardPicture(platform, card);
        if (!picture.isNull()) {
            if (position->quarterTurned || IsInArray(card, reading.reversedCards)) {
                turner.sourcePicture = picture;
                picture = turner.turn(position->quarterTurned ? 90.0 : 180.0, [] {});
            }
            painter.drawImage(at, picture);
        }
        const QRect plate(at, QSize(kPlateWidth, kPlateHeight));
        painter.fillRect(plate, kNumberPlateColour);
        painter.setPen(kNumberColour);
        painter.drawText(plate, Qt::AlignCenter, QString::number(i + 1));
    }
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
    const QImage cards = DrawCardTable(platform, reading);
    if (!cards.isNull()) {
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(dpi * 0.1);
        centred.setBottomMargin(dpi * 0.1);
        cursor.insertBlock(centred);
        const qreal scale = std::min(width / cards.width(), pageHeight * kCardTableShare / cards.height());
        document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("kesto:cards")), cards);
        QTextImageFormat image;
        image.setName(QStringLiteral("kesto:cards"));
        // The layout measures images in pixels of a 96 DPI screen and scales them to the page.
        const qreal perPixel = dpi / 96.0;
        image.setWidth(cards.width() * scale / perPixel);
        image.setHeight(cards.height() * scale / perPixel);
        cursor.insertImage(image);
    }

    // The report as it was written.
    QTextDocument report;
    DecodeReport(reading.report, report);
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
