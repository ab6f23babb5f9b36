#pragma once
#include "ui/widgets/linklabel.h"
#include "ui/widgets/screenclose.h"
#include "core/reading/currentreading.h"
#include "core/rotation/cardturner.h"

#include <QImage>
#include <QLabel>
#include <QList>
#include <QMainWindow>

class QAction;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace kesto {

class Shell;

// A face-down card of the manual pick: a picture box that reports a left click, with a
// frame around it while it has the keyboard focus.
class FaceDownBox : public ClickableLabel
{
    Q_OBJECT
public:
    using ClickableLabel::ClickableLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The manual pick screen: the deck lies face down, the user clicks as many cards as the
// spread has positions, then the cards are drawn, laid out on the card table one position
// at a time and reported. The clicks only decide when the reading is cast, not which cards.
class frmManual : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kFaceDownCount = 78;

    explicit frmManual(Shell &shell, QWidget *parent = nullptr);
    ~frmManual() override;

    // Prepares the table for the spread chosen on the spread screen and shows the window.
    void Form_Load();
    void showCentred();

    // A click on face-down box p(Index).
    void p_Click(int Index);
    // Shows the text of position no + 1 (no holds a whole number) of the chosen spread.
    void ShowCardInfo(const QString &no);
    // Draws the card of position i + 1, shows it on the card table and places it.
    void DrawForPosition(int i);
    // Turns turner.sourcePicture by the angle in degrees and puts the result into Img.
    void RotateImage(double RotAngel);

    // The placements of the eight spreads, one position at a time.
    void SetPicPlacement0(qint16 picIndex);
    void SetPicPlacement1(qint16 picIndex);
    void SetPicPlacement2(qint16 picIndex);
    void SetPicPlacement3(qint16 picIndex);
    void SetPicPlacement4(qint16 picIndex);
    void SetPicPlacement5(qint16 picIndex);
    void SetPicPlacement6(qint16 picIndex);
    void SetPicPlacement7(qint16 picIndex);

    void cmdBack_Click();
    void cmdCancel_Click();
    void mnuStart_Click();
    void mnuExit_Click();
    void Label6_Click();

    // True from the last pick until the screen has closed.
    bool isCompleting() const { return m_completing; }

    QFrame *fraPictures = nullptr;
    QList<FaceDownBox *> p;
    QLabel *picManual = nullptr;
    QPlainTextEdit *txtDisp = nullptr;
    QFrame *picMessage = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *Img = nullptr;
    QLabel *picTmp = nullptr;
    LinkLabel *Label6 = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuStart = nullptr;
    QAction *mnuExit = nullptr;

    // The chosen spread, by list name and by place in the list.
    QString screenSpreadName;
    qint16 screenSpreadIndex = 0;
    // Picks made so far, and the boxes picked (the last pick is not recorded: the array's
    // upper bound is what tells the last pick).
    qint16 pickCount = 0;
    QList<qint32> pickedBoxes;
    // The position being laid out after the last pick.
    qint16 positionIndex = 0;
    // The deck options, copied when the screen loads.
    Flag reversedAllowed = FlagFalse;
    Flag minorOnly = FlagFalse;
    Flag majorOnly = FlagFalse;

    // The card picture loaded for turning, the last result, the background and the cancel
    // flag of RotateImage.
    CardTurner turner;

    // Closes the screen as a step to another one: the program goes on.
    void closeForNavigation();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // On a screen of another device pixel ratio the face-down cards and the spread picture
    // are shown at its size.
    bool event(QEvent *event) override;

private:
    void buildMenus();
    void showCardBacks();
    void showSpreadPicture();
    // The device pixel ratio of the card table the picks are laid on (this screen's without one).
    qreal tableRatio();
    // Keys on the face-down cards: arrows move along the rows and columns, Space or Enter
    // picks the card.
    bool faceDownKey(int index, const QKeyEvent *event);
    // The face-down card still lying nearest to a box, moving by whole steps (1 along a row,
    // 13 down a column); -1 when there is none that way.
    int faceDownNeighbour(int index, int step) const;
    bool isLying(int index) const;
    // The last pick: wait panel, pause, every position drawn and placed, the report, close.
    void completePick();
    void layOutAndReport();
    // Places position picIndex + 1 of spread K on the card table and writes the hint.
    void placePosition(SpreadIndex spread, int picIndex);
    void setStagedPicture(const QImage &picture);

    Shell &m_shell;
    ScreenClose m_close;
    bool m_completing = false;
    // The device pixel ratio the face-down cards were shown for.
    qreal m_pictureRatio = 1.0;
};

} // namespace kesto
