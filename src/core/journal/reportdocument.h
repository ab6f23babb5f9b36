#pragma once
#include <QByteArray>

class QTextDocument;

namespace kesto {

// The reading report as the journal keeps it, exactly as the display showed it: for every
// paragraph its alignment and its rule (the separator lines), for every run of text its
// emphasis (bold, underline) and the text itself. HTML would not do: a rule's paragraph
// comes back from it without its 512 underlined blanks.
QByteArray EncodeReport(const QTextDocument &document);
// Writes a kept report into an empty document; false, leaving the document empty, when the
// bytes are no kept report.
bool DecodeReport(const QByteArray &report, QTextDocument &document);

} // namespace kesto
