#include "ui/mainwindow/texteditrichtext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kesto {

namespace {

// The offset in CR LF terms of a block's first character: every earlier paragraph break
// counts twice there and once in the document.
int textOffsetOfBlock(const QTextBlock &block) { return block.position() + block.blockNumber(); }

// A paragraph of underlined blanks only (at least one).
bool underlinedBlanksOnly(const QTextBlock &block)
{
    const QString text = block.text();
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c != QLatin1Char(' '))
            return false;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid() && !fragment.charFormat().fontUnderline())
            return false;
    }
    return true;
}

} // namespace

TextEditRichText::TextEditRichText(QTextEdit *edit) : m_edit(edit) {}

QString TextEditRichText::text() const
{
    if (!m_edit)
        return {};
    QString result;
    const QTextDocument *doc = m_edit->document();
    result.reserve(doc->characterCount() + doc->blockCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin())
            result += QStringLiteral("\r\n");
        result += block.text();
    }
    return result;
}

int TextEditRichText::caret() const
{
    if (!m_edit)
        return 0;
    const QTextCursor cursor = m_edit->textCursor();
    const int position = cursor.selectionStart();
    const QTextBlock block = m_edit->document()->findBlock(position);
    return block.isValid() ? position + block.blockNumber() : position;
}

void TextEditRichText::setCaret(int position)
{
    // A negative offset is refused, as the original box refuses it; the caret stays put.
    if (!m_edit || position < 0)
        return;
    const QTextDocument *doc = m_edit->document();
    int documentPosition = doc->characterCount() - 1; // beyond the text: the end
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const int start = textOffsetOfBlock(block);
        if (position < start) {
            // Between the CR and the LF of the previous break: before that break.
            documentPosition = block.position() - 1;
            break;
        }
        if (position <= start + block.length() - 1) {
            documentPosition = block.position() + (position - start);
            break;
        }
    }
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(documentPosition);
    m_edit->setTextCursor(cursor);
}

void TextEditRichText::insert(const QString &text)
{
    if (!m_edit)
        return;
    QTextCharFormat format;
    format.setFontWeight(m_bold ? QFont::Bold : QFont::Normal);
    format.setFontUnderline(m_underline);

    QTextCursor cursor = m_edit->textCursor();
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    const int firstBlock = cursor.blockNumber();

    // CR LF, a lone CR or a lone LF each start a new paragraph.
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        if (i > runStart)
            cursor.insertText(text.mid(runStart, i - runStart), format);
        insertParagraphBreak(cursor, format);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        runStart = i + 1;
    }
    if (runStart < text.size())
        cursor.insertText(text.mid(runStart), format);

    updateRules(firstBlock, cursor.blockNumber());
    cursor.endEditBlock();
    m_edit->setTextCursor(cursor);
}

void TextEditRichText::insertParagraphBreak(QTextCursor &cursor, const QTextCharFormat &format)
{
    // The new paragraph keeps the alignment of the one it splits from, but not its rule:
    // whether a paragraph is a rule depends on its own text.
    QTextBlockFormat blockFormat = cursor.blockFormat();
    blockFormat.clearProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
    cursor.insertBlock(blockFormat, format);
}

void TextEditRichText::updateRules(int firstBlock, int lastBlock)
{
    QTextDocument *doc = m_edit->document();
    for (int n = firstBlock; n <= lastBlock; ++n) {
        const QTextBlock block = doc->findBlockByNumber(n);
        if (!block.isValid())
            break;
        const bool rule = underlinedBlanksOnly(block);
        if (rule == isRuleBlock(block))
            continue;
        QTextBlockFormat blockFormat = block.blockFormat();
        if (rule)
            blockFormat.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                                    QTextLength(QTextLength::PercentageLength, 100));
        else
            blockFormat.clearProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
        QTextCursor(block).setBlockFormat(blockFormat);
    }
}

bool TextEditRichText::isRuleBlock(const QTextBlock &block)
{
    return block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
}

void TextEditRichText::setBold(bool on) { m_bold = on; }

void TextEditRichText::setUnderline(bool on) { m_underline = on; }

void TextEditRichText::setAlignment(Alignment alignment)
{
    if (!m_edit)
        return;
    QTextBlockFormat blockFormat;
    blockFormat.setAlignment(alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft);
    QTextCursor cursor = m_edit->textCursor();
    cursor.mergeBlockFormat(blockFormat);
    m_edit->setTextCursor(cursor);
}

} // namespace kesto
