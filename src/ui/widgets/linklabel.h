#pragma once
#include <QLabel>

namespace kesto {

// A label that reports a left click: the button pressed on it and released over it. The
// face-down cards of the manual pick and the maker's links are both made of it.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// A clickable label that reads like a web link: blue, underlined, wrapped. The keyboard
// reaches it with Tab (a click does not take the focus), and Enter or Space follows it, with
// a focus frame while it has the focus.
class LinkLabel : public ClickableLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// The link to the maker's forum: "Join the <forum> and talk tarot with readers from all
// over the world".
LinkLabel *makeForumLink(QWidget *parent);

} // namespace kesto
