#pragma once
#include "core/reading/richtext.h"

#include <QPointer>
#include <QTextEdit>

class QTextBlock;
class QTextCursor;

namespace kesto {

// The reading display's rich-text operations over a QTextEdit. The document keeps one
// paragraph per line; text() and the caret present the paragraph breaks as CR LF, two
// characters each. A paragraph made only of underlined blanks is drawn as a horizontal rule
// across the box, since Qt draws no underline under blanks at the end of a wrapped line.
// When the QTextEdit is gone every operation does nothing.
class TextEditRichText final : public RichTextBox
{
public:
    explicit TextEditRichText(QTextEdit *edit);

    QString text() const override;
    int caret() const override;
    void setCaret(int position) override;
    void insert(const QString &text) override;
    void setBold(bool on) override;
    void setUnderline(bool on) override;
    void setAlignment(Alignment alignment) override;

    QTextEdit *edit() const { return m_edit; }

    // Whether a paragraph shows as a separator rule.
    static bool isRuleBlock(const QTextBlock &block);

private:
    void insertParagraphBreak(QTextCursor &cursor, const QTextCharFormat &format);
    void updateRules(int firstBlock, int lastBlock);

    QPointer<QTextEdit> m_edit;
    bool m_bold = false;
    bool m_underline = false;
};

} // namespace kesto
