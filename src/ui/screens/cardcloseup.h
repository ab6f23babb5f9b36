#pragma once
#include "core/reading/currentreading.h"

#include <QDialog>
#include <QImage>
#include <QString>

class QLabel;
class QPushButton;

namespace kesto {

class frmAuto;

// What the card table knows of the card lying in one of its boxes.
struct TableCard
{
    int position = 0; // counted from 1
    CardId card = -1; // -1: no card lies there
    QString spreadName; // the reading's spread, by list name
    bool crossing = false; // laid sideways across position 1
    bool reversed = false; // the report reads the card reversed

    bool isCard() const { return card >= 0; }
};

// The texts of a close-up: the card, how it lies, the position it lies in, and both of its
// meanings with the one the reading takes marked.
struct CloseUpText
{
    QString name;
    QString lie;
    QString positionTitle;
    QString positionMeaning;
    QString uprightHeading;
    QString uprightMeaning;
    QString reversedHeading;
    QString reversedMeaning;
};
CloseUpText CloseUpTextFor(const TableCard &card);

// A position's title without the separator it ends in ("Card 1:  " gives "Card 1").
QString PositionTitleShown(const QString &spreadName, int position);
// The position's own name after its number ("Card 2: The Crossing" gives "The Crossing"),
// empty when the title is the number alone.
QString PositionName(const QString &spreadName, int position);

// The close-up picture as the reading takes the card: upright, or upside down when the
// report reads it reversed. It is read from the card's larger pictures (it shows at twice the
// card table's size) for a screen of the given device pixel ratio. Null when the picture
// cannot be read.
QImage CloseUpPicture(const QString &programFolder, const TableCard &card, qreal devicePixelRatio = 1.0);

// A card of the card table seen closely: its picture large, its name and how it lies, the
// position's title and meaning, both meanings of the card with the drawn one marked, and
// the card's dictionary entry when the dictionary has one. Left and Right move to the
// previous and next position on the table; Esc closes.
class CardCloseUp : public QDialog
{
    Q_OBJECT
public:
    // The logical size the picture is shown at: twice the card table's.
    static QSize pictureSize();

    CardCloseUp(frmAuto &table, QWidget *parent);
    ~CardCloseUp() override;

    // Shows the card of box index (0-based); false, showing nothing new, when no card
    // lies there.
    bool showCard(int index);
    int index() const { return m_index; }
    // Moves to the previous or next box that holds a card; nothing at either end.
    void showPrevious();
    void showNext();
    // Opens the card's entry in the dictionary browser of the main window.
    void openDictionaryEntry();
    // The entry's address; empty when the dictionary has none for the card.
    QString dictionaryLink() const { return m_link; }

    QLabel *picture = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblLie = nullptr;
    QLabel *lblPosition = nullptr;
    QLabel *lblPositionMeaning = nullptr;
    QLabel *lblUpright = nullptr;
    QLabel *lblUprightMeaning = nullptr;
    QLabel *lblReversed = nullptr;
    QLabel *lblReversedMeaning = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdEntry = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    // On a screen of another device pixel ratio the picture is shown at its size.
    bool event(QEvent *event) override;

private:
    // The box of the neighbouring card in a direction (-1 or +1); -1 when there is none.
    int neighbour(int step) const;
    void updateButtons();

    frmAuto &m_table;
    int m_index = -1;
    QString m_link;
    // The device pixel ratio the picture was shown for.
    qreal m_pictureRatio = 1.0;
};

} // namespace kesto
