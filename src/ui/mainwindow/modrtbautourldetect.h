#pragma once
#include <QList>
#include <QString>

class QTextEdit;

namespace kesto {

class Platform;

// Clickable web addresses in one rich-text box. While detection is on, the box shows every
// web address in its text as a link (underlined, in the link colour, the text itself
// unchanged), and a press of the left mouse button on one opens it with the platform's
// default handler. Only one box is served at a time, for the whole process.

// Turns detection on for `richText`. Does nothing while detection is already on, even for
// another box. Detection ends by itself when the box is destroyed.
void EnableUrlDetection(Platform &platform, QTextEdit *richText);
// Turns detection off again; does nothing while it is off.
void DisableUrlDetection();
bool IsUrlDetectionOn();

// A web address found in a text: where it starts and how long it is.
struct DetectedLink
{
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const DetectedLink &, const DetectedLink &) = default;
};

// The web addresses of one line of text: those that begin with http://, https://, ftp://,
// mailto: or www. and run to the next blank, leaving closing punctuation outside.
QList<DetectedLink> FindLinks(const QString &text);

// Whether a link text may be handed to the default handler: http, https, ftp and mailto
// addresses, and addresses starting with "www.".
bool IsOpenableLink(const QString &text);

} // namespace kesto
