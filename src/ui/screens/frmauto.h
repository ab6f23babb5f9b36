#pragma once
#include "core/reading/currentreading.h"
#include "core/rotation/cardturner.h"
#include "ui/screens/cardcloseup.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPixmap;

namespace kesto {

class Platform;
class frmMDI;
class Shell;
struct LayoutPosition;

// The picture of a card read from its file in the program folder, at the size for a screen
// of the given device pixel ratio (see ReadPictureForRatio); a null image when the file is
// missing or unreadable.
QImage LoadCardPicture(Platform &platform, CardId card, qreal devicePixelRatio = 1.0);

// Holds back the user's input (clicks, keys, the windows' close boxes) for as long as it
// lives. A cast lets pending events run while it draws and turns pictures, so that the
// windows repaint; a command run in the middle of it (a second AutoCast, Start Again, a
// further face-down card, closing the card table) would start a second cast or destroy
// the windows the cast is still filling. Repaints and scrolling pass. A window's close is
// held back as well, the program's own included: close a window once the guard is gone.
class CastInputGuard : public QObject
{
public:
    CastInputGuard();
    ~CastInputGuard() override;
    CastInputGuard(const CastInputGuard &) = delete;
    CastInputGuard &operator=(const CastInputGuard &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The card table: a child window of the main window with one picture box per spread
// position, each carrying its position number. An automatic cast is drawn, laid out and
// reported while the table loads; a manual pick only clears it and then places each chosen
// card on it.
class frmAuto : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBoxCount = 10;
    // The client area, in twips: tall enough for the seven-card layout.
    static constexpr int kClientWidth = 11805;
    static constexpr int kClientHeight = 27225;

    explicit frmAuto(Shell &shell, QWidget *parent = nullptr);
    ~frmAuto() override;

    // Places the table, clears the reading display, writes the report header, and casts
    // (automatic reading) or empties the boxes (manual reading).
    void Form_Load();
    void Form_Unload();

    // The cast methods, one per deck-option combination, each for a card count. DONE1 to
    // DONE3 draw from the whole deck, the minor and the major arcana, all cards upright;
    // DONE4 to DONE6 the same with reversed cards allowed.
    void DONE1(int count);
    void DONE2(int count);
    void DONE3(int count);
    void DONE4(int count);
    void DONE5(int count);
    void DONE6(int count);

    // Lays out a finished reading's cards as its cast laid them: the same layout, the crossing
    // card turned a quarter turn, the reversed cards upside down, every position numbered.
    // Nothing is drawn and no report is written.
    void layOutKeptReading(const CurrentReading &reading);

    // Turns turner.sourcePicture by the angle in degrees and puts the result into Img.
    void RotateImage(double RotAngel);
    // Empties the picture of every box.
    void Clear_PicBox();

    // Sets a box's picture; the box takes the (logical) size of the picture. An empty picture leaves
    // the box empty at the size it had, its number still showing.
    void setBoxPicture(int index, const QPixmap &picture);
    void setBoxPicture(int index, const QImage &picture);
    // The picture Img shows now (empty when it shows none).
    QPixmap stagedPicture() const;
    void setStagedPicture(const QImage &picture);
    // Moves a box's top-left corner to a layout position (twips on the table).
    void moveBox(int index, const LayoutPosition &position);
    // Enables and shows a position's number label and box.
    void showPosition(int index);
    // Shows a position and paints its box at once, for a caller that holds off the event
    // loop while it lays out the next one.
    void showPositionNow(int index);

    // The card lying in a box, as the table recorded it when the position was shown; no
    // card for a box that has not been shown.
    TableCard cardAt(int index) const;
    // Records what lies in a box from the current reading: its card, the reading's spread,
    // whether the report reads the card reversed. Showing a position records it.
    void recordCard(int index);
    // Opens the close-up of a box's card (or moves the open close-up to it); null when no
    // card lies there.
    CardCloseUp *openCloseUp(int index);
    // The open close-up, if there is one.
    CardCloseUp *closeUp() const { return m_closeUp; }

    Shell &shell() const { return m_shell; }

    // The device pixel ratio card pictures for this table are read for now: that of the
    // screen it shows on. Remembered, so that a move to another screen reads them again.
    qreal pictureRatio();

    // Zoom of the whole table: 1 is the actual size, the layout table exactly; the
    // others scale the table, the boxes' places, pictures and numbers alike.
    static constexpr double kMinZoom = 0.2;
    static constexpr double kMaxZoom = 4.0;
    static constexpr double kZoomStep = 1.25;
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomIn() { setZoom(m_zoom * kZoomStep); }
    void zoomOut() { setZoom(m_zoom / kZoomStep); }
    void actualSize() { setZoom(1.0); }
    // The zoom at which every shown card (or, before any is shown, the spread's layout)
    // fits in the visible client area, with the table's window moved to its top left.
    void fitToWindow();

    QList<QLabel *> p;
    QList<QLabel *> lbl;
    QLabel *Img = nullptr;

    // The card picture loaded for turning, the last result, the background and the cancel
    // flag of RotateImage.
    CardTurner turner;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Ctrl+wheel zooms; the wheel alone scrolls the main window's client area a card's
    // fifth or so per notch.
    void wheelEvent(QWheelEvent *event) override;
    // On a screen of another device pixel ratio the cards are read again at its size.
    bool event(QEvent *event) override;

private:
    // DONE1 to DONE3: draw, lay out upright (the crossing card turned), report.
    void castUpright(int count, const DeckOptions &options);
    // DONE4 to DONE6: draw, then decide and lay out each position in turn, report.
    void castAllowingReversed(int count, const DeckOptions &options);
    // Loads a card's picture into turner.sourcePicture, turns it into Img, and puts it into a box.
    void turnCardInto(int index, CardId card, double angle);
    void loadCardInto(int index, CardId card);
    // The per-card report, then the display's caret back to its start.
    void writeReport();
    // Connects the main window's View menu to this table's zoom, once.
    void connectViewMenu(frmMDI *frame);
    // Moves the focus to the nearest shown box before (-1) or after (+1) a box.
    void focusNeighbour(int index, int step);
    // The card table's window in the main window: the part the Tab order passes as one.
    QWidget *outerWindow();
    // Reads every laid card's picture again for the ratio the table now shows at.
    void refreshPictures();
    // Lets the window show the card just laid out before the next one comes.
    void showProgress(int index);

    Shell &m_shell;
    struct Recorded
    {
        CardId card = -1;
        QString spreadName;
        bool reversed = false;
    };
    QList<Recorded> m_recorded;
    // Each box's picture, size and place at the actual size; what is shown is scaled by the
    // zoom.
    QList<QPixmap> m_pictures;
    QList<QSize> m_sizes;
    QList<QPoint> m_places;
    double m_zoom = 1.0;
    // The device pixel ratio the laid pictures were read for.
    qreal m_pictureRatio = 1.0;
    bool m_viewMenuConnected = false;
    QFont m_numberFont;
    // The spread the table lays out, by its place in the catalogue; -1 when unknown.
    SpreadIndex m_layout = -1;
    // Applies the zoom to one box: place, size, picture and number.
    void applyZoom(int index);
    QPointer<CardCloseUp> m_closeUp;
};

} // namespace kesto
