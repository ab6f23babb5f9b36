#include "ui/screens/frmauto.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/platform/platform.h"
#include "core/platform/regularfile.h"
#include "core/session/session.h"
#include "core/platform/maker.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/widgets/keyboard.h"
#include "ui/widgets/pixelratio.h"
#include "core/reading/deck.h"
#include "core/reading/draw.h"
#include "core/reading/layouts.h"
#include "ui/screens/placement.h"
#include "ui/screens/cardcloseup.h"
#include "core/reading/spreads.h"
#include "ui/shell/shell.h"

#include <QEvent>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace kesto {

namespace {

// The felt of the card table, and the number plates on the cards.
const QColor kTableColour(0x1F, 0x4D, 0x36);
const QColor kNumberPlateColour(0x2E, 0x1F, 0x5E);
const QColor kNumberColour(0xF5, 0xD7, 0x6E);
const QColor kFocusColour(0xFF, 0x8C, 0x00);

// The number label inside a box: 615 x 495 twips at the box's top-left corner.
constexpr int kLabelWidth = 615;
constexpr int kLabelHeight = 495;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// A card box: its picture, and a frame around it while it has the keyboard focus.
class CardBox : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        // A bright band with a dark edge inside, to be seen on light and dark pictures alike.
        QPainter painter(this);
        painter.setPen(QPen(kFocusColour, 4));
        painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5));
    }
};

} // namespace

QImage LoadCardPicture(Platform &platform, CardId card, qreal devicePixelRatio)
{
    if (!IsCatalogueCard(card))
        return {};
    return ReadPictureForRatio(CardPicturePath(platform.programFolder(), card), devicePixelRatio);
}

CastInputGuard::CastInputGuard()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

CastInputGuard::~CastInputGuard()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool CastInputGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (isUserInput(event->type())) {
        event->accept();
        return true;
    }
    // A close box pressed meanwhile: the window stays. A top-level window's close reaches
    // it the same way whoever asks for it.
    if (event->type() == QEvent::Close && event->spontaneous()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

frmAuto::frmAuto(Shell &shell, QWidget *parent) : QWidget(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("frmAuto"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(maker::cardTableTitle());
    setAccessibleName(QStringLiteral("Card table"));
    setFixedSize(px(this, kClientWidth), px(this, kClientHeight));
    setAutoFillBackground(true);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, kTableColour);
        setPalette(pal);
    }

    QFont numberFont(QStringLiteral("Arial Black"));
    numberFont.setPointSizeF(14.25);
    // Where Arial Black is missing its substitute is drawn as heavy as it goes.
    numberFont.setWeight(QFont::Black);
    m_numberFont = numberFont;

    for (int i = 0; i < kBoxCount; ++i) {
        auto *box = new CardBox(this);
        box->setObjectName(QStringLiteral("p_") + QString::number(i));
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->resize(kCardPictureSize);
        box->hide();
        box->setAccessibleName(QString::number(i + 1));
        // A card is seen closely by a double click, by Enter, or from its context menu.
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
        // Enter is read by the box itself (see eventFilter); the menu only names it.
        auto *closeUp = new QAction(QStringLiteral("&Close-up\tEnter"), box);
        closeUp->setObjectName(QStringLiteral("actCloseUp_") + QString::number(i));
        connect(closeUp, &QAction::triggered, this, [this, i] { openCloseUp(i); });
        box->addAction(closeUp);
        box->setContextMenuPolicy(Qt::ActionsContextMenu);
        p.append(box);

        auto *number = new QLabel(QString::number(i + 1), box);
        number->setObjectName(QStringLiteral("lbl_") + QString::number(i));
        number->setGeometry(0, 0, px(number, kLabelWidth), px(number, kLabelHeight));
        number->setAlignment(Qt::AlignCenter);
        number->setFont(numberFont);
        number->setAutoFillBackground(true);
        QPalette pal = number->palette();
        pal.setColor(QPalette::Window, kNumberPlateColour);
        pal.setColor(QPalette::WindowText, kNumberColour);
        number->setPalette(pal);
        number->hide();
        lbl.append(number);
    }

    Img = new QLabel(this);
    Img->setObjectName(QStringLiteral("Img"));
    Img->hide();

    m_recorded.resize(kBoxCount);
    m_pictures.resize(kBoxCount);
    m_sizes = QList<QSize>(kBoxCount, kCardPictureSize);
    m_places = QList<QPoint>(kBoxCount, QPoint(0, 0));

    // A table made inside an existing main window gets its View menu at once, whatever lays
    // it out afterwards.
    if (frmMDI *frame = m_shell.existingMainWindow())
        connectViewMenu(frame);
}

frmAuto::~frmAuto()
{
    for (QLabel *box : std::as_const(p))
        box->removeEventFilter(this);
}

void frmAuto::Form_Load()
{
    CurrentReading &reading = m_shell.session().reading;

    if (auto *window = qobject_cast<QMdiSubWindow *>(parentWidget()))
        window->move(0, 0);

    frmMDI *frame = m_shell.mainWindow();
    if (const Spread *spread = SpreadByName(reading.spreadName))
        m_layout = spread->index;
    connectViewMenu(frame);
    frame->clearReadingDisplay();
    frame->writeReportHeader(reading);

    const bool major = reading.majorOnly == FlagTrue;
    const bool minor = reading.minorOnly == FlagTrue;
    const bool reversed = reading.allowReversed == FlagTrue;
    const bool castable = !(major && minor);

    if (reading.startedByAutoCast == FlagTrue && castable) {
        const int count = reading.cardCount;
        const CastInputGuard guard;
        if (!reversed && !major && !minor)
            DONE1(count);
        else if (!reversed && minor)
            DONE2(count);
        else if (!reversed && major)
            DONE3(count);
        else if (!major && !minor)
            DONE4(count);
        else if (minor)
            DONE5(count);
        else
            DONE6(count);
    }
    if (reading.startedByManual == FlagTrue && castable)
        Clear_PicBox();
}

void frmAuto::Form_Unload()
{
    if (m_closeUp)
        m_closeUp->close();
}

bool frmAuto::eventFilter(QObject *watched, QEvent *event)
{
    const int index = p.indexOf(qobject_cast<QLabel *>(watched));
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openCloseUp(index);
        return true;
    }
    if (event->type() == QEvent::FocusIn)
        EnsureVisibleInScrollAreas(p[index]);
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return QWidget::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openCloseUp(index);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            focusNeighbour(index, +1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Up:
            focusNeighbour(index, -1);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // The table is one stop of the main window's Tab order: Tab leaves it at once.
            FocusPastContainer(outerWindow(), key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmAuto::connectViewMenu(frmMDI *frame)
{
    if (m_viewMenuConnected || !frame)
        return;
    const frmMDI::ZoomActions zoom = frame->zoomActions();
    if (!zoom.zoomIn)
        return;
    m_viewMenuConnected = true;
    // The main window's View menu works on this table while it lives.
    connect(zoom.zoomIn, &QAction::triggered, this, &frmAuto::zoomIn);
    connect(zoom.zoomOut, &QAction::triggered, this, &frmAuto::zoomOut);
    connect(zoom.actualSize, &QAction::triggered, this, &frmAuto::actualSize);
    connect(zoom.fitToWindow, &QAction::triggered, this, &frmAuto::fitToWindow);
}

void frmAuto::focusNeighbour(int index, int step)
{
    for (int i = index + step; i >= 0 && i < kBoxCount; i += step) {
        if (p[i]->isVisible() && p[i]->isEnabled()) {
            p[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QWidget *frmAuto::outerWindow()
{
    if (auto *window = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return window;
    return this;
}

void frmAuto::recordCard(int index)
{
    if (index < 0 || index >= kBoxCount)
        return;
    const CurrentReading &reading = m_shell.session().reading;
    Recorded &recorded = m_recorded[index];
    recorded.card = reading.drawnCards && index < reading.drawnCards->size() ? reading.drawnCards->at(index) : -1;
    recorded.spreadName = reading.spreadName;
    recorded.reversed = recorded.card >= 0 && IsInArray(recorded.card, reading.reversedCards);

    // What a screen reader says of the box: "2, The Crossing: Five of Swords", and how the
    // card lies.
    const TableCard card = cardAt(index);
    QString name = QString::number(index + 1);
    if (card.isCard()) {
        const QString position = PositionName(card.spreadName, card.position);
        name += position.isEmpty() ? QStringLiteral(": ") : QStringLiteral(", ") + position + QStringLiteral(": ");
        name += CardName(card.card);
    }
    p[index]->setAccessibleName(name);
    p[index]->setAccessibleDescription(card.isCard() ? CloseUpTextFor(card).lie : QString());
}

TableCard frmAuto::cardAt(int index) const
{
    TableCard card;
    if (index < 0 || index >= kBoxCount || !IsCatalogueCard(m_recorded[index].card) || p[index]->isHidden())
        return card;
    const Recorded &recorded = m_recorded[index];
    card.position = index + 1;
    card.card = recorded.card;
    card.spreadName = recorded.spreadName;
    card.reversed = recorded.reversed;
    if (const Spread *spread = SpreadByName(recorded.spreadName)) {
        const auto position = LayoutPositionOf(spread->index, index + 1);
        card.crossing = position && position->quarterTurned;
    }
    return card;
}

CardCloseUp *frmAuto::openCloseUp(int index)
{
    if (!cardAt(index).isCard())
        return nullptr;
    if (!m_closeUp) {
        m_closeUp = new CardCloseUp(*this, this);
        // Once it closes, the keyboard is back on the card it showed last.
        connect(m_closeUp, &QDialog::finished, this, [this] {
            const int shown = m_closeUp ? m_closeUp->index() : -1;
            if (shown < 0 || shown >= kBoxCount || !p[shown]->isVisible())
                return;
            window()->activateWindow();
            p[shown]->setFocus(Qt::OtherFocusReason);
        });
    }
    m_closeUp->showCard(index);
    m_closeUp->show();
    m_closeUp->raise();
    m_closeUp->activateWindow();
    return m_closeUp;
}

void frmAuto::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmAuto::DONE1(int count) { castUpright(count, DeckOptions{FlagFalse, FlagFalse, FlagFalse}); }
void frmAuto::DONE2(int count) { castUpright(count, DeckOptions{FlagTrue, FlagFalse, FlagFalse}); }
void frmAuto::DONE3(int count) { castUpright(count, DeckOptions{FlagFalse, FlagTrue, FlagFalse}); }
void frmAuto::DONE4(int count) { castAllowingReversed(count, DeckOptions{FlagFalse, FlagFalse, FlagTrue}); }
void frmAuto::DONE5(int count) { castAllowingReversed(count, DeckOptions{FlagTrue, FlagFalse, FlagTrue}); }
void frmAuto::DONE6(int count) { castAllowingReversed(count, DeckOptions{FlagFalse, FlagTrue, FlagTrue}); }

void frmAuto::castUpright(int count, const DeckOptions &options)
{
    CurrentReading &reading = m_shell.session().reading;
    DrawCards(reading, count, options, PlatformDrawHooks(m_shell.platform()));
    const int shown = std::min(count, int(kBoxCount));

    for (int i = 0; i < shown; ++i)
        p[i]->show();

    const auto layout = CastLayoutFor(count, reading.spreadName);
    for (int i = 0; i < shown; ++i) {
        const auto position = layout ? LayoutPositionOf(*layout, i + 1) : std::nullopt;
        if (position)
            moveBox(i, *position);
        const CardId card = reading.drawnCards && i < reading.drawnCards->size() ? reading.drawnCards->at(i) : -1;
        if (position && position->quarterTurned)
            turnCardInto(i, card, 90.0);
        else
            loadCardInto(i, card);
        recordCard(i);
        showProgress(i);
    }

    for (int i = 0; i < shown; ++i) {
        lbl[i]->setEnabled(true);
        lbl[i]->show();
    }
    writeReport();
}

void frmAuto::castAllowingReversed(int count, const DeckOptions &options)
{
    CurrentReading &reading = m_shell.session().reading;
    Platform &platform = m_shell.platform();
    DrawCards(reading, count, options, PlatformDrawHooks(platform));
    const int shown = std::min(count, int(kBoxCount));

    const auto layout = CastLayoutFor(count, reading.spreadName);
    QList<bool> crossing(shown, false);
    for (int i = 0; i < shown; ++i) {
        if (const auto position = layout ? LayoutPositionOf(*layout, i + 1) : std::nullopt) {
            moveBox(i, *position);
            crossing[i] = position->quarterTurned;
        }
    }

    for (int i = 0; i < shown; ++i) {
        // One orientation number per position, the crossing card's included; the crossing
        // card is never reversed.
        const float fraction = platform.randomFraction();
        const CardId card = reading.drawnCards && i < reading.drawnCards->size() ? reading.drawnCards->at(i) : -1;
        const bool reversed = ChooseOrientation(reading, count, i, fraction);
        if (crossing[i]) {
            turnCardInto(i, card, 90.0);
            showPosition(i);
        } else if (reversed) {
            turnCardInto(i, card, 180.0);
            showPosition(i);
        } else {
            p[i]->setEnabled(true);
            p[i]->show();
            loadCardInto(i, card);
            lbl[i]->setEnabled(true);
            lbl[i]->show();
            recordCard(i);
        }
        showProgress(i);
    }
    writeReport();
}

void frmAuto::layOutKeptReading(const CurrentReading &reading)
{
    const bool manual = reading.isManualPick == FlagTrue;
    const auto layout = FinishedReadingLayout(reading);
    QList<CardId> cards = reading.drawnCards.value_or(QList<CardId>());
    if (!manual && !cards.isEmpty())
        cards.removeLast(); // the automatic cast's spare slot
    const int shown = std::min(int(cards.size()), int(kBoxCount));
    for (int i = 0; i < shown; ++i) {
        const auto position = layout ? LayoutPositionOf(*layout, i + 1) : std::nullopt;
        if (position)
            moveBox(i, *position);
        const CardId card = cards[i];
        if (position && position->quarterTurned)
            turnCardInto(i, card, 90.0);
        else if (IsInArray(card, reading.reversedCards))
            turnCardInto(i, card, 180.0);
        else
            loadCardInto(i, card);
        showPosition(i);
    }
}

void frmAuto::RotateImage(double RotAngel)
{
    Platform &platform = m_shell.platform();
    setStagedPicture(turner.turn(RotAngel, [&platform] { platform.yieldToEvents(); }));
}

void frmAuto::Clear_PicBox()
{
    for (int i = 0; i < kBoxCount; ++i)
        setBoxPicture(i, QPixmap());
}

void frmAuto::setBoxPicture(int index, const QPixmap &picture)
{
    if (index < 0 || index >= kBoxCount)
        return;
    QLabel *box = p[index];
    m_pictures[index] = picture;
    if (picture.isNull()) {
        box->clear();
        return;
    }
    m_sizes[index] = picture.deviceIndependentSize().toSize();
    if (m_zoom == 1.0) {
        box->setPixmap(picture);
        box->resize(m_sizes[index]);
    } else {
        applyZoom(index);
    }
}

void frmAuto::applyZoom(int index)
{
    QLabel *box = p[index];
    const auto scaled = [this](int length) { return int(std::lround(length * m_zoom)); };
    box->move(scaled(m_places[index].x()), scaled(m_places[index].y()));
    const QSize size(scaled(m_sizes[index].width()), scaled(m_sizes[index].height()));
    const QPixmap &picture = m_pictures[index];
    if (m_zoom == 1.0 || picture.isNull()) {
        if (!picture.isNull())
            box->setPixmap(picture);
    } else {
        box->setPixmap(PixmapForRatio(picture.toImage(), size, picture.devicePixelRatio(), Qt::IgnoreAspectRatio));
    }
    box->resize(size);
    QLabel *number = lbl[index];
    number->setGeometry(0, 0, scaled(px(number, kLabelWidth)), scaled(px(number, kLabelHeight)));
    QFont font = m_numberFont;
    font.setPointSizeF(m_numberFont.pointSizeF() * m_zoom);
    number->setFont(font);
}

void frmAuto::setZoom(double zoom)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // Steps that come back to the actual size land on it exactly.
    if (std::abs(zoom - 1.0) < 1e-6)
        zoom = 1.0;
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    setFixedSize(int(std::lround(px(this, kClientWidth) * zoom)), int(std::lround(px(this, kClientHeight) * zoom)));
    for (int i = 0; i < kBoxCount; ++i)
        applyZoom(i);
    if (auto *window = qobject_cast<QMdiSubWindow *>(parentWidget()))
        window->adjustSize();
}

void frmAuto::fitToWindow()
{
    auto *window = qobject_cast<QMdiSubWindow *>(parentWidget());
    QMdiArea *area = window ? window->mdiArea() : nullptr;
    if (!area)
        return;
    // What has to be seen, at the actual size: the shown cards, or the spread's layout.
    QRect bounds;
    for (int i = 0; i < kBoxCount; ++i) {
        if (!p[i]->isHidden())
            bounds |= QRect(m_places[i], m_sizes[i]);
    }
    if (bounds.isNull()) {
        const QRect twips = LayoutBoundsTwips(m_layout);
        if (twips.isNull())
            return;
        bounds
            = QRect(px(this, twips.left()), px(this, twips.top()), px(this, twips.width()), px(this, twips.height()));
    }
    const QSize frame = window->size() - size();
    const QSize room = area->viewport()->size() - frame - QSize(2, 2);
    const int right = std::max(1, bounds.right() + 1);
    const int bottom = std::max(1, bounds.bottom() + 1);
    setZoom(std::min(double(room.width()) / right, double(room.height()) / bottom));
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->minimum());
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->minimum());
    window->move(0, 0);
}

void frmAuto::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() > 0)
            zoomIn();
        else if (delta.y() < 0)
            zoomOut();
        event->accept();
        return;
    }
    for (QWidget *parent = parentWidget(); parent; parent = parent->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(parent);
        if (!area)
            continue;
        // 720 twips (half an inch) per notch of 120.
        const int step = px(this, 720);
        const bool sideways = (event->modifiers() & Qt::ShiftModifier) || delta.x() != 0;
        QScrollBar *bar = sideways ? area->horizontalScrollBar() : area->verticalScrollBar();
        const int notches = sideways && delta.x() != 0 ? delta.x() : delta.y();
        bar->setValue(bar->value() - notches * step / 120);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

void frmAuto::setBoxPicture(int index, const QImage &picture)
{
    setBoxPicture(index, picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

QPixmap frmAuto::stagedPicture() const { return Img->pixmap(); }

void frmAuto::setStagedPicture(const QImage &picture)
{
    if (picture.isNull())
        Img->clear();
    else
        Img->setPixmap(QPixmap::fromImage(picture));
}

void frmAuto::moveBox(int index, const LayoutPosition &position)
{
    if (index < 0 || index >= kBoxCount)
        return;
    m_places[index] = QPoint(px(this, position.left), px(this, position.top));
    if (m_zoom == 1.0)
        p[index]->move(m_places[index]);
    else
        applyZoom(index);
}

void frmAuto::showPosition(int index)
{
    if (index < 0 || index >= kBoxCount)
        return;
    p[index]->setEnabled(true);
    p[index]->show();
    lbl[index]->setEnabled(true);
    lbl[index]->show();
    recordCard(index);
}

void frmAuto::showPositionNow(int index)
{
    showPosition(index);
    showProgress(index);
}

void frmAuto::turnCardInto(int index, CardId card, double angle)
{
    turner.sourcePicture = LoadCardPicture(m_shell.platform(), card, pictureRatio());
    setStagedPicture(turner.sourcePicture);
    RotateImage(angle);
    setBoxPicture(index, stagedPicture());
}

void frmAuto::loadCardInto(int index, CardId card)
{
    setBoxPicture(index, LoadCardPicture(m_shell.platform(), card, pictureRatio()));
}

qreal frmAuto::pictureRatio()
{
    m_pictureRatio = ScreenPixelRatio(this);
    return m_pictureRatio;
}

void frmAuto::refreshPictures()
{
    const qreal ratio = pictureRatio();
    // Each card laid is read again for the new ratio and turned as it lies. The turns are not
    // the cast's own (they use a turning state of their own and let no events run), so a cast
    // still laying out is not disturbed.
    CardTurner refresh;
    refresh.background = turner.background;
    for (int i = 0; i < kBoxCount; ++i) {
        const TableCard card = cardAt(i);
        if (!card.isCard())
            continue;
        refresh.sourcePicture = LoadCardPicture(m_shell.platform(), card.card, ratio);
        const double angle = card.crossing ? 90.0 : card.reversed ? 180.0 : 0.0;
        setBoxPicture(i,
                      angle == 0.0 || refresh.sourcePicture.isNull() ? refresh.sourcePicture : refresh.turn(angle, {}));
    }
}

bool frmAuto::event(QEvent *event)
{
    if (ShowsAtAnotherRatio(event, this, m_pictureRatio))
        refreshPictures();
    return QWidget::event(event);
}

void frmAuto::writeReport()
{
    frmMDI *frame = m_shell.existingMainWindow();
    if (!frame)
        return;
    frame->writeCardSection(m_shell.session().reading, frmMDI::SelectionAtCaret::Replace);
}

void frmAuto::showProgress(int index)
{
    // Only the box is painted here; pending events wait for the next yield.
    if (index >= 0 && index < kBoxCount && p[index]->isVisible())
        p[index]->repaint();
}

} // namespace kesto
