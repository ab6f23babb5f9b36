#pragma once
// A reading walked as a user walks it, from the mode screen through the querent and spread
// screens, on the built card pictures and with scripted random fractions; and the pictures
// a card box is expected to show.
#include "ui/mainwindow/frmmdi.h"
#include "appfixture.h"
#include "core/platform/regularfile.h"
#include "core/platform/twips.h"
#include "core/reading/deck.h"
#include "core/reading/draw.h"
#include "ui/screens/frmfront.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/frmopen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextEdit>

#include <functional>

namespace kesto::test {

enum class Deck { Whole, Major, Minor, Both };

inline void clickRow(QListWidget *list, int row)
{
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Clicks a check box or option button on its indicator, where a user clicks it.
inline void clickBox(QAbstractButton *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QStyle::SubElement element
        = qobject_cast<QRadioButton *>(box) ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
    QTest::mouseClick(box, Qt::LeftButton, {}, box->style()->subElementRect(element, &option, box).center());
}

struct ReadingWalk : BasicAppFixture<PausingPlatform>
{
    ReadingWalk() { copyContent(folder); }

    // The built card and spread pictures, copied into the program folder. Written plainly:
    // a copy that syncs every file to disk would cost most of a walk's time.
    static void copyContent(TestFolder &target)
    {
        const QString built = qEnvironmentVariable("KESTO_PROGRAM_DIR");
        for (const QString &sub : {QStringLiteral("cards"), QStringLiteral("pic")}) {
            const QDir source(built + QLatin1Char('/') + sub);
            const QStringList files = source.entryList(QDir::Files);
            for (const QString &name : files) {
                QFile file(source.filePath(name));
                if (file.open(QIODevice::ReadOnly))
                    target.writeFile(sub + QLatin1Char('/') + name, file.readAll());
            }
        }
    }

    // Mode screen, Tarot Reading, Continue; the querent's name, Next: the spread screen.
    frmTarot *toSpreadScreen(const QString &name = QStringLiteral("Ann"))
    {
        shell.showModeScreen();
        frmOpen *open = shell.modeScreen();
        clickBox(open->optReading);
        QTest::mouseClick(open->cmdContd, Qt::LeftButton);
        frmFront *front = shell.querentScreen();
        QTest::keyClicks(front->txtName, name);
        QTest::mouseClick(front->cmdNext, Qt::LeftButton);
        return shell.spreadScreen();
    }

    // Selects a spread and sets the deck options as a user does. Both subsets at once cannot
    // be ticked by hand; they are set directly, as if they had got through.
    static void choose(frmTarot *tarot, int spread, Deck deck, bool reversed)
    {
        clickRow(tarot->lstOption, spread);
        if (tarot->chkRev->isChecked() != reversed)
            clickBox(tarot->chkRev);
        if (deck == Deck::Major)
            clickBox(tarot->chkHA);
        else if (deck == Deck::Minor)
            clickBox(tarot->chkLA);
        else if (deck == Deck::Both) {
            tarot->chkHA->setChecked(true);
            tarot->chkLA->setChecked(true);
        }
    }

    // Plain text of the reading display, line breaks as "\n".
    QString report()
    {
        frmMDI *frame = shell.existingMainWindow();
        return frame ? frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->toPlainText() : QString();
    }
};

inline DeckSubset subsetOf(Deck deck)
{
    switch (deck) {
    case Deck::Major:
        return {0, 22};
    case Deck::Minor:
        return {22, 56};
    default:
        return {0, 78};
    }
}

// The fraction that draws a card from a subset: the middle of its slice of [0, 1).
inline float fractionFor(CardId card, const DeckSubset &subset)
{
    return float((card - subset.first + 0.5) / subset.size);
}

inline QImage rgb32(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

inline QImage cardImage(const TestFolder &folder, CardId card)
{
    return rgb32(ReadPictureFile(CardPicturePath(folder.path(), card)));
}

// Upside down: target (x, y) = source (W - 1 - x, H - 1 - y).
inline QImage halfTurn(const QImage &image) { return image.mirrored(true, true); }

// A quarter turn anticlockwise: target (x, y) = source (W - 1 - y, x), H x W.
inline QImage quarterTurn(const QImage &image)
{
    QImage turned(image.height(), image.width(), QImage::Format_RGB32);
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            turned.setPixel(x, y, image.pixel(image.width() - 1 - y, x));
    return turned;
}

// The picture a box shows, or a null image when it shows none.
inline QImage boxImage(const QLabel *box)
{
    const QPixmap pixmap = box->pixmap();
    return pixmap.isNull() ? QImage() : rgb32(pixmap.toImage());
}

inline QPoint twipsPoint(int left, int top) { return {twipsToPixels(left), twipsToPixels(top)}; }

} // namespace kesto::test
