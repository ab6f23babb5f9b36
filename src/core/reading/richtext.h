#pragma once
#include <QString>

namespace kesto {

// What the reading report needs of a rich-text box. Line breaks are CR LF, and positions
// count each line break as two characters, both in text() and in the caret.
class RichTextBox
{
public:
    enum class Alignment { Left, Centre };

    virtual ~RichTextBox() = default;

    // The whole plain text of the box, line breaks as CR LF.
    virtual QString text() const = 0;
    // The insertion position as a character offset into text().
    virtual int caret() const = 0;
    // Moves the insertion position; an offset beyond the text puts it at the end.
    virtual void setCaret(int position) = 0;
    // Replaces the (normally empty) selection at the caret by the text, CR LF starting a new
    // paragraph, and leaves the caret after it.
    virtual void insert(const QString &text) = 0;
    // Whether the text inserted next is bold / underlined.
    virtual void setBold(bool on) = 0;
    virtual void setUnderline(bool on) = 0;
    // Aligns the paragraph at the caret; paragraphs inserted after it take the same alignment.
    virtual void setAlignment(Alignment alignment) = 0;
};

} // namespace kesto
