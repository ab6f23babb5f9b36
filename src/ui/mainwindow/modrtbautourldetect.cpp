#include "ui/mainwindow/modrtbautourldetect.h"

#include "core/platform/platform.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

namespace kesto {

namespace {

// Shows the links of every block underlined in the link colour. The formats live in the
// layout only: the document's text and its own character formats stay as they are.
class LinkHighlighter : public QSyntaxHighlighter
{
public:
    LinkHighlighter(QTextDocument *document, const QColor &colour, QObject *parent)
        : QSyntaxHighlighter(parent),
          m_colour(colour)
    {
        setDocument(document);
        // setDocument only schedules the first pass; the links show at once.
        rehighlight();
    }

protected:
    void highlightBlock(const QString &text) override
    {
        const QList<DetectedLink> links = FindLinks(text);
        for (const DetectedLink &link : links) {
            QTextCharFormat format;
            format.setFontUnderline(true);
            format.setForeground(m_colour);
            setFormat(int(link.start), int(link.length), format);
        }
    }

private:
    QColor m_colour;
};

// Serves one rich-text box: the highlighter for the look, and a watch on the box's viewport
// for left-button presses on a link. It lives as a child of the box, so detection ends by
// itself if the box goes away.
class UrlDetector : public QObject
{
public:
    UrlDetector(Platform &platform, QTextEdit *richText) : QObject(richText), m_platform(platform), m_richText(richText)
    {
        new LinkHighlighter(richText->document(), richText->palette().color(QPalette::Link), this);
        // The watch ends with this object: Qt drops a destroyed event filter by itself.
        richText->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Only a left-button press opens a link; everything reaches the box unchanged.
        if (event->type() == QEvent::MouseButtonPress && m_richText && watched == m_richText->viewport()) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QString link = linkAt(mouse->position().toPoint());
                if (!link.isEmpty() && IsOpenableLink(link))
                    m_platform.openAddress(link);
            }
        }
        return false;
    }

private:
    // The link under a point of the viewport, or an empty text.
    QString linkAt(const QPoint &viewportPoint) const
    {
        QTextDocument *document = m_richText->document();
        QAbstractTextDocumentLayout *layout = document->documentLayout();
        const QPointF point(viewportPoint.x() + m_richText->horizontalScrollBar()->value(),
                            viewportPoint.y() + m_richText->verticalScrollBar()->value());
        const int position = layout->hitTest(point, Qt::FuzzyHit);
        if (position < 0)
            return {};
        const QTextBlock block = document->findBlock(position);
        const QTextLayout *textLayout = block.layout();
        if (!block.isValid() || !textLayout)
            return {};
        const QPointF local = point - layout->blockBoundingRect(block).topLeft();
        for (int i = 0; i < textLayout->lineCount(); ++i) {
            const QTextLine line = textLayout->lineAt(i);
            if (local.y() < line.y() || local.y() >= line.y() + line.height())
                continue;
            if (local.x() < line.x() || local.x() >= line.x() + line.naturalTextWidth())
                return {};
            const int index = line.xToCursor(local.x(), QTextLine::CursorOnCharacter);
            const QString text = block.text();
            const QList<DetectedLink> links = FindLinks(text);
            for (const DetectedLink &link : links) {
                if (index >= link.start && index < link.start + link.length)
                    return text.mid(link.start, link.length);
            }
            return {};
        }
        return {};
    }

    Platform &m_platform;
    QPointer<QTextEdit> m_richText;
};

// The one box served in this process; detection is on while it exists.
QPointer<UrlDetector> g_detector;

const QRegularExpression &linkPattern()
{
    // A link starts where no word, dot or at sign goes before it and runs to the next blank
    // or character that cannot stand in an address written in running text.
    static const QRegularExpression pattern(
        QStringLiteral(R"((?<![\w.@/])(?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

// Length of the shortest text each kind of link needs, its prefix and one more character.
qsizetype minimumLength(const QString &link)
{
    static const QLatin1String prefixes[] = {QLatin1String("http://"), QLatin1String("https://"),
                                             QLatin1String("ftp://"), QLatin1String("mailto:"), QLatin1String("www.")};
    for (const QLatin1String &prefix : prefixes) {
        if (link.startsWith(prefix, Qt::CaseInsensitive))
            return prefix.size() + 1;
    }
    return link.size() + 1;
}

// Closing punctuation of the sentence stays outside the link; a closing bracket stays in it
// only when the link opened it.
qsizetype trimmedLength(const QString &link)
{
    qsizetype length = link.size();
    while (length > 0) {
        const QChar last = link.at(length - 1);
        if (QStringView(u".,;:!?'").contains(last)) {
            --length;
            continue;
        }
        const QChar open = last == u')' ? u'(' : last == u']' ? u'[' : last == u'}' ? u'{' : QChar();
        if (!open.isNull()) {
            const QStringView head = QStringView(link).left(length);
            if (head.count(open) < head.count(last)) {
                --length;
                continue;
            }
        }
        break;
    }
    return length;
}

} // namespace

QList<DetectedLink> FindLinks(const QString &text)
{
    QList<DetectedLink> links;
    auto matches = linkPattern().globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const QString found = match.captured(0);
        const qsizetype length = trimmedLength(found);
        if (length >= minimumLength(found))
            links.append({match.capturedStart(0), length});
    }
    return links;
}

bool IsOpenableLink(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    static const QLatin1String allowed[] = {QLatin1String("http://"), QLatin1String("https://"),
                                            QLatin1String("ftp://"), QLatin1String("mailto:"), QLatin1String("www.")};
    for (const QLatin1String &prefix : allowed) {
        if (text.startsWith(prefix, Qt::CaseInsensitive))
            return text.size() > prefix.size();
    }
    return false;
}

void EnableUrlDetection(Platform &platform, QTextEdit *richText)
{
    if (g_detector || !richText)
        return;
    g_detector = new UrlDetector(platform, richText);
}

void DisableUrlDetection()
{
    if (!g_detector)
        return;
    delete g_detector.data();
    g_detector.clear();
}

bool IsUrlDetectionOn() { return !g_detector.isNull(); }

} // namespace kesto
