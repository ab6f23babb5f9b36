#pragma once
#include "core/journal/journalstore.h"

#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace kesto {

class Platform;

// The paper of the user's locale: Letter where US measures are used, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize(const QLocale &locale = QLocale());

// The card table of a finished reading drawn as one picture at the pictures' own size: each
// card where its layout puts it, turned as it lay (the crossing card a quarter turn, the
// reversed cards upside down) by the card table's rotation, each with its number.
QImage DrawCardTable(Platform &platform, const JournalReading &reading);

// The sheet a reader hands a querent, painted onto a printer or a PDF: the program's name,
// the date and time, the querent's details and question, the spread's name, the cards in
// the spread's pattern scaled to fit the page, then the report with its headings and rules,
// page numbers below, and no position's block split over two pages where it fits on one.
// Gives the number of pages, 0 when nothing could be painted.
int PaintReadingSheet(QPagedPaintDevice &device, Platform &platform, const JournalReading &reading);

// "Kesto reading" with the querent and the date: the PDF's title.
QString ReadingSheetTitle(const JournalReading &reading);
// A file name for the sheet, made of the querent's name and the date.
QString SuggestedPdfName(const JournalReading &reading);

// Writes the sheet as a PDF file on the locale's paper; false when it cannot be written.
bool ExportReadingPdf(const QString &path, Platform &platform, const JournalReading &reading);
// Asks where to save the sheet, saves it, and tells the user when that failed.
void ExportReadingPdfAsked(QWidget *parent, Platform &platform, const JournalReading &reading);
// The print dialog's preview of the sheet, from which the user prints it.
void PrintReadingWithPreview(QWidget *parent, Platform &platform, const JournalReading &reading);

} // namespace kesto
