#include "ui/screens/frmmanual.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/platform/platform.h"
#include "core/platform/regularfile.h"
#include "core/session/session.h"
#include "core/reading/draw.h"
#include "core/reading/spreads.h"
#include "ui/screens/frmauto.h"
#include "core/reading/layouts.h"
#include "ui/screens/placement.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/widgets/screenwindow.h"
#include "ui/widgets/actions.h"
#include "ui/widgets/keyboard.h"
#include "ui/widgets/pixelratio.h"
#include "ui/widgets/makermenus.h"
#include "ui/shell/shell.h"
#include "ui/web/frmabout.h"
#include "core/online/modhelp.h"

#include <QEvent>
#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QPointer>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace kesto {

namespace {

constexpr int kClientWidth = 7560;
constexpr int kClientHeight = 6360;

// The face-down table: 13 columns, 6 rows of 350 x 600 twip boxes.
constexpr int kColumns = 13;

// The colour of the focus frame around a face-down card.
const QColor kFocusColour(0xFF, 0x8C, 0x00);

} // namespace

void FaceDownBox::paintEvent(QPaintEvent *event)
{
    ClickableLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(kFocusColour, 3));
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

frmManual::frmManual(Shell &shell, QWidget *parent) : QMainWindow(parent), m_shell(shell)
{
    QWidget *client = dressScreenWindow(this, QStringLiteral("frmManual"), QStringLiteral("manualClient"), kClientWidth,
                                        kClientHeight);

    fraPictures = new QFrame(client);
    fraPictures->setObjectName(QStringLiteral("fraPictures"));
    fraPictures->setFrameShape(QFrame::Box);
    fraPictures->setFrameShadow(QFrame::Sunken);
    place(fraPictures, 2520, 540, 5055, 4035);

    for (int i = 0; i < kFaceDownCount; ++i) {
        auto *box = new FaceDownBox(fraPictures);
        box->setObjectName(QStringLiteral("p_") + QString::number(i));
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setLineWidth(1);
        box->setAlignment(Qt::AlignCenter);
        const int column = i % kColumns;
        const int row = i / kColumns;
        place(box, 90 + 375 * column, 180 + 630 * row, 350, 600);
        connect(box, &ClickableLabel::clicked, this, [this, i] { p_Click(i); });
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
        p.append(box);
    }

    showCardBacks();

    picManual = new QLabel(client);
    picManual->setObjectName(QStringLiteral("picManual"));
    picManual->setFrameShape(QFrame::Panel);
    picManual->setFrameShadow(QFrame::Sunken);
    picManual->setAlignment(Qt::AlignCenter);
    place(picManual, 90, 480, 2415, 4095);

    txtDisp = new QPlainTextEdit(client);
    txtDisp->setObjectName(QStringLiteral("txtDisp"));
    txtDisp->setReadOnly(true);
    txtDisp->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtDisp->setTabChangesFocus(true);
    txtDisp->setAccessibleName(QStringLiteral("Next position"));
    place(txtDisp, 90, 4620, 7395, 1245);

    picMessage = new QFrame(client);
    picMessage->setObjectName(QStringLiteral("picMessage"));
    picMessage->setFrameShape(QFrame::Panel);
    picMessage->setFrameShadow(QFrame::Raised);
    picMessage->setLineWidth(2);
    picMessage->setAutoFillBackground(true);
    {
        QPalette pal = picMessage->palette();
        pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
        picMessage->setPalette(pal);
    }
    place(picMessage, 1133, 2693, 5295, 975);
    const QFont waitFont(QStringLiteral("Verdana"), 9, QFont::Bold);
    Label1 = new QLabel(QStringLiteral("Please Wait ..."), picMessage);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 60, 540, 5175, 315);
    // Two labels with the same text at the same place, as the panel was designed.
    Label2 = new QLabel(QStringLiteral("Kesto is generating the Tarot result...."), picMessage);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 60, 150, 5175, 315);
    Label3 = new QLabel(QStringLiteral("Kesto is generating the Tarot result...."), picMessage);
    Label3->setObjectName(QStringLiteral("Label3"));
    place(Label3, 60, 150, 5175, 315);
    for (QLabel *label : {Label1, Label2, Label3}) {
        label->setFont(waitFont);
        label->setAlignment(Qt::AlignCenter);
    }
    picMessage->hide();

    cmdBack = new QPushButton(QStringLiteral("Back"), client);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    place(cmdBack, 6510, 5940, 975, 375);
    cmdCancel = new QPushButton(QStringLiteral("Exit"), client);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    place(cmdCancel, 5370, 5940, 1095, 375);

    Img = new QLabel(client);
    Img->setObjectName(QStringLiteral("Img"));
    place(Img, 2640, 3540, 1095, 1095);
    Img->hide();

    picTmp = new QLabel(client);
    picTmp->setObjectName(QStringLiteral("picTmp"));
    place(picTmp, 270, 5220, 2025, 465);
    picTmp->setEnabled(false);
    picTmp->hide();

    Label6 = makeForumLink(client);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignCenter);
    place(Label6, 1005, 60, 5550, 465);

    connect(cmdBack, &QPushButton::clicked, this, &frmManual::cmdBack_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmManual::cmdCancel_Click);
    connect(Label6, &LinkLabel::clicked, this, &frmManual::Label6_Click);

    buildMenus();
    GiveCommandKey(cmdBack, QKeySequence(Qt::AltModifier | Qt::Key_Left), QStringLiteral("Back"));
    GiveCommandKey(cmdCancel, QKeySequence(Qt::ControlModifier | Qt::Key_Q), QStringLiteral("Exit"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmManual::~frmManual()
{
    for (FaceDownBox *box : std::as_const(p))
        box->removeEventFilter(this);
}

void frmManual::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuStart = makeAction(QStringLiteral("mnuStart"), QStringLiteral("&Start Again"), this);
    mnuExit = makeAction(QStringLiteral("mnuExit"), QStringLiteral("&Exit"), this);
    mnuFile->addAction(mnuStart);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    addMakerMenus(this, MakerMenuWording::Standard, m_shell.platform(),
                  [this] { frmAbout::showModal(m_shell.platform(), this); });

    connect(mnuStart, &QAction::triggered, this, &frmManual::mnuStart_Click);
    connect(mnuExit, &QAction::triggered, this, &frmManual::mnuExit_Click);
}

void frmManual::Form_Load()
{
    CurrentReading &reading = m_shell.session().reading;

    p[1]->setFrameShape(QFrame::NoFrame);

    reading.isManualPick = FlagTrue;

    screenSpreadName = reading.card;
    screenSpreadIndex = reading.MaxCardInSet;

    ShowCardInfo(QStringLiteral("0"));

    const Spread *spread = SpreadByIndex(screenSpreadIndex);
    pickedBoxes = QList<qint32>(spread ? spread->cardCount : 0, 0);

    showCentred();

    screenSpreadName = reading.spreadName;
    reversedAllowed = reading.allowReversed;
    minorOnly = reading.minorOnly;
    majorOnly = reading.majorOnly;

    // As many face-down cards as the chosen part of the deck has: 22, 56 or 78.
    const int offered = ManualPickSubset(DeckOptions{minorOnly, majorOnly, reversedAllowed}).size;
    for (int i = 0; i < kFaceDownCount; ++i) {
        p[i]->setEnabled(i < offered);
        p[i]->setVisible(i < offered);
        p[i]->setAccessibleName(QStringLiteral("Face-down card %1 of %2").arg(i + 1).arg(offered));
    }

    picManual->clear();
    if (const Spread *chosen = SpreadByIndex(screenSpreadIndex))
        picManual->setAccessibleName(QStringLiteral("Spread picture: ") + chosen->listName);
    showSpreadPicture();

    pickCount = 0;

    // The keyboard starts on the first face-down card.
    p[0]->setFocus(Qt::OtherFocusReason);
}

void frmManual::showCentred() { kesto::showCentred(this); }

void frmManual::showCardBacks()
{
    // The face-down card travels inside the program, at its own size and at twice it.
    const QString plain = QStringLiteral(":/kesto/cardback.jpg");
    m_pictureRatio = ScreenPixelRatio(this);
    const int scale = PictureScaleFor(m_pictureRatio, 2);
    QPixmap back(ScaledPicturePath(plain, scale));
    if (back.isNull())
        back = QPixmap(plain);
    else
        back.setDevicePixelRatio(scale);
    for (FaceDownBox *box : std::as_const(p))
        box->setPixmap(back);
}

void frmManual::showSpreadPicture()
{
    const QImage spreadPicture = ReadPictureForRatio(
        SpreadPicturePath(m_shell.platform().programFolder(), screenSpreadIndex), ScreenPixelRatio(this));
    if (!spreadPicture.isNull())
        picManual->setPixmap(QPixmap::fromImage(spreadPicture));
}

bool frmManual::event(QEvent *event)
{
    if (ShowsAtAnotherRatio(event, this, m_pictureRatio)) {
        showCardBacks();
        if (!picManual->pixmap().isNull())
            showSpreadPicture();
    }
    return QMainWindow::event(event);
}

qreal frmManual::tableRatio()
{
    frmAuto *table = m_shell.cardTable();
    return table ? table->pictureRatio() : ScreenPixelRatio(this);
}

void frmManual::p_Click(int Index)
{
    // The completion lets events run while it draws and turns pictures; a click that gets
    // through then must not start a second one.
    if (m_completing || Index < 0 || Index >= kFaceDownCount)
        return;

    p[Index]->hide();
    p[Index]->setEnabled(false);

    if (pickCount < pickedBoxes.size() - 1) {
        pickedBoxes[pickCount] = Index;
        ++pickCount;
        if (frmMDI *frame = m_shell.mainWindow())
            frame->removeReadingSelection();
        ShowCardInfo(QString::number(pickCount));
        return;
    }
    completePick();
}

void frmManual::completePick()
{
    m_completing = true;
    {
        // Closing a window counts as the user's own close while input is held back, so the
        // screen closes only once the guard is gone.
        const CastInputGuard guard;
        layOutAndReport();
    }
    closeForNavigation();
}

void frmManual::layOutAndReport()
{
    CurrentReading &reading = m_shell.session().reading;

    // On screen before the pause, which holds off the event loop.
    picMessage->show();
    picMessage->raise();
    picMessage->repaint();
    repaint();

    m_shell.platform().pause(3000);

    for (positionIndex = 0; positionIndex < reading.cardCount; ++positionIndex)
        DrawForPosition(positionIndex);

    frmMDI *frame = m_shell.mainWindow();
    frame->showFrame();
    // The card section goes in at the caret; a selection there is kept and follows the
    // section instead of being replaced by it.
    frame->writeCardSection(reading, frmMDI::SelectionAtCaret::Keep);
    frame->showFrame();
    frame->raise();
    frame->activateWindow();
}

void frmManual::ShowCardInfo(const QString &no)
{
    bool ok = false;
    const int n = no.trimmed().toInt(&ok);
    if (!ok)
        return;
    if (const auto text = PositionDisplayText(screenSpreadName, n + 1))
        txtDisp->setPlainText(*text);
}

void frmManual::DrawForPosition(int i)
{
    Platform &platform = m_shell.platform();
    CurrentReading &reading = m_shell.session().reading;

    platform.reseedRandom();

    const DeckSubset subset = ManualPickSubset(DeckOptions{minorOnly, majorOnly, reversedAllowed});

    if (IsArrayDimensioned(reading.drawnCards))
        reading.drawnCards->append(0);
    else
        reading.drawnCards = QList<qint32>{0};

    const CardId card = DrawCard(subset, *reading.drawnCards, i, PlatformDrawHooks(platform));
    reading.drawnCards->last() = card;

    const bool reversed = reversedAllowed == FlagTrue && ManualPickReversed(platform.randomFraction());

    if (reversed) {
        turner.sourcePicture = LoadCardPicture(platform, card, tableRatio());
        setStagedPicture(turner.sourcePicture);
        RotateImage(180.0);
        picTmp->setPixmap(Img->pixmap());
        if (frmAuto *table = m_shell.cardTable())
            table->setBoxPicture(i, picTmp->pixmap());
        AppendReversed(reading, card);
    } else if (frmAuto *table = m_shell.cardTable()) {
        table->setBoxPicture(i, LoadCardPicture(platform, card, table->pictureRatio()));
    }

    switch (reading.spreadListIndex) {
    case 0:
        SetPicPlacement0(qint16(i));
        break;
    case 1:
        SetPicPlacement1(qint16(i));
        break;
    case 2:
        SetPicPlacement2(qint16(i));
        break;
    case 3:
        SetPicPlacement3(qint16(i));
        break;
    case 4:
        SetPicPlacement4(qint16(i));
        break;
    case 5:
        SetPicPlacement5(qint16(i));
        break;
    case 6:
        SetPicPlacement6(qint16(i));
        break;
    case 7:
        SetPicPlacement7(qint16(i));
        break;
    default:
        break;
    }
}

void frmManual::RotateImage(double RotAngel)
{
    Platform &platform = m_shell.platform();
    setStagedPicture(turner.turn(RotAngel, [&platform] { platform.yieldToEvents(); }));
}

void frmManual::setStagedPicture(const QImage &picture)
{
    if (picture.isNull())
        Img->clear();
    else
        Img->setPixmap(QPixmap::fromImage(picture));
}

void frmManual::SetPicPlacement0(qint16 picIndex) { placePosition(0, picIndex); }
void frmManual::SetPicPlacement1(qint16 picIndex) { placePosition(1, picIndex); }
void frmManual::SetPicPlacement2(qint16 picIndex) { placePosition(2, picIndex); }
void frmManual::SetPicPlacement3(qint16 picIndex) { placePosition(3, picIndex); }
void frmManual::SetPicPlacement4(qint16 picIndex) { placePosition(4, picIndex); }
void frmManual::SetPicPlacement5(qint16 picIndex) { placePosition(5, picIndex); }
void frmManual::SetPicPlacement6(qint16 picIndex) { placePosition(6, picIndex); }
void frmManual::SetPicPlacement7(qint16 picIndex) { placePosition(7, picIndex); }

void frmManual::placePosition(SpreadIndex spread, int picIndex)
{
    frmAuto *table = m_shell.cardTable();
    if (!table || picIndex < 0 || picIndex >= frmAuto::kBoxCount)
        return;

    if (const auto position = LayoutPositionOf(spread, picIndex + 1))
        table->moveBox(picIndex, *position);

    if (const auto hint = PlacementHint(spread, picIndex))
        txtDisp->setPlainText(*hint);

    // The crossing card lies across position 1 as its upright picture turned a quarter,
    // whichever way the pick laid it.
    if (spread == kCelticCross && picIndex == 1) {
        const CardArray &drawn = m_shell.session().reading.drawnCards;
        const CardId card = drawn && drawn->size() > 1 ? drawn->at(1) : -1;
        turner.sourcePicture = LoadCardPicture(m_shell.platform(), card, table->pictureRatio());
        setStagedPicture(turner.sourcePicture);
        RotateImage(90.0);
        table->setBoxPicture(1, Img->pixmap());
        Img->hide();
    }

    table->showPositionNow(picIndex);
}

void frmManual::cmdBack_Click()
{
    m_shell.openQuerentScreen();
    closeForNavigation();
}

void frmManual::mnuStart_Click() { cmdBack_Click(); }

void frmManual::cmdCancel_Click() { close(); }

void frmManual::mnuExit_Click() { close(); }

void frmManual::Label6_Click() { OpenMakerPage(m_shell.platform(), page::home); }

bool frmManual::isLying(int index) const
{
    return index >= 0 && index < kFaceDownCount && !p[index]->isHidden() && p[index]->isEnabled();
}

int frmManual::faceDownNeighbour(int index, int step) const
{
    const int column = index % kColumns;
    for (int i = index + step; i >= 0 && i < kFaceDownCount; i += step) {
        // Along a row the walk stays in the row.
        if ((step == 1 || step == -1) && i / kColumns != index / kColumns)
            return -1;
        if ((step == kColumns || step == -kColumns) && i % kColumns != column)
            return -1;
        if (isLying(i))
            return i;
    }
    return -1;
}

bool frmManual::faceDownKey(int index, const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -kColumns;
        break;
    case Qt::Key_Down:
        step = kColumns;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (event->isAutoRepeat() || !isLying(index))
            return true;
        // The focus goes on to the next card still lying there, or back to the one before.
        int next = -1;
        for (int i = index + 1; i < kFaceDownCount && next < 0; ++i)
            next = isLying(i) ? i : -1;
        for (int i = index - 1; i >= 0 && next < 0; --i)
            next = isLying(i) ? i : -1;
        const QPointer<frmManual> self(this);
        p_Click(index);
        if (self && !m_completing && next >= 0)
            p[next]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The face-down table is one stop of the Tab order.
        FocusPastContainer(fraPictures, event->key() == Qt::Key_Tab);
        return true;
    default:
        return false;
    }
    if (const int i = faceDownNeighbour(index, step); i >= 0)
        p[i]->setFocus(Qt::OtherFocusReason);
    return true;
}

bool frmManual::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int index = p.indexOf(qobject_cast<FaceDownBox *>(watched));
        if (index >= 0 && faceDownKey(index, static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmManual::closeForNavigation() { m_close.navigate(this); }

void frmManual::closeEvent(QCloseEvent *event)
{
    m_close.accept(event, [this] { m_shell.EndProgram(); });
}

} // namespace kesto
