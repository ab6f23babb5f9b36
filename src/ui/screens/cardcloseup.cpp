#include "ui/screens/cardcloseup.h"

#include "core/dictionary/dictsearch.h"
#include "core/platform/platform.h"
#include "core/platform/regularfile.h"
#include "core/reading/deck.h"
#include "core/reading/layouts.h"
#include "core/reading/spreads.h"
#include "core/session/session.h"
#include "ui/mainwindow/frmmdi.h"
#include "ui/screens/frmauto.h"
#include "ui/shell/shell.h"
#include "ui/web/webwindows.h"
#include "ui/widgets/pixelratio.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>

namespace kesto {

namespace {

QLabel *makeText(const QString &name, QWidget *parent, bool bold = false)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

QString PositionTitleShown(const QString &spreadName, int position)
{
    const SpreadPosition *text = PositionText(spreadName, position);
    if (!text)
        return {};
    QString title = text->title.trimmed();
    // Titles that run on into their meaning end in a separator ("Card 1:", "Card 1 -").
    while (title.endsWith(QLatin1Char(':')) || title.endsWith(QLatin1Char('-')))
        title = title.chopped(1).trimmed();
    return title;
}

QString PositionName(const QString &spreadName, int position)
{
    static const QRegularExpression number(QStringLiteral("^Card\\s+\\d+\\s*[:\\-]?\\s*"));
    QString name = PositionTitleShown(spreadName, position);
    name.remove(number);
    return name.trimmed();
}

CloseUpText CloseUpTextFor(const TableCard &card)
{
    CloseUpText text;
    if (!card.isCard())
        return text;
    text.name = CardName(card.card);
    if (card.crossing) {
        text.lie = card.reversed ? QStringLiteral("Laid sideways across card 1; the reading takes it reversed")
                                 : QStringLiteral("Laid sideways across card 1; the reading takes it upright");
    } else {
        text.lie = card.reversed ? QStringLiteral("Reversed") : QStringLiteral("Upright");
    }
    text.positionTitle = PositionTitleShown(card.spreadName, card.position);
    if (const SpreadPosition *position = PositionText(card.spreadName, card.position))
        text.positionMeaning = position->meaning.trimmed();
    const QString drawn = QStringLiteral(" (drawn)");
    text.uprightHeading = QStringLiteral("Upright") + (card.reversed ? QString() : drawn);
    text.uprightMeaning = CardMeaning(card.card, false);
    text.reversedHeading = QStringLiteral("Reversed") + (card.reversed ? drawn : QString());
    text.reversedMeaning = CardMeaning(card.card, true);
    return text;
}

QImage CloseUpPicture(const QString &programFolder, const TableCard &card, qreal devicePixelRatio)
{
    if (!card.isCard())
        return {};
    const qreal enlargement = qreal(CardCloseUp::pictureSize().width()) / kCardPictureSize.width();
    QImage image = ReadPictureForRatio(CardPicturePath(programFolder, card.card), devicePixelRatio * enlargement, 4);
    if (image.isNull())
        return image;
    // Upside down is an exact half turn: the same pixels in reverse order.
    if (card.reversed)
        image = image.mirrored(true, true);
    return image;
}

QSize CardCloseUp::pictureSize() { return kCardPictureSize * 2; }

CardCloseUp::CardCloseUp(frmAuto &table, QWidget *parent) : QDialog(parent), m_table(table)
{
    setObjectName(QStringLiteral("cardCloseUp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("closeUpPicture"));
    picture->setFixedSize(pictureSize());
    picture->setAlignment(Qt::AlignCenter);

    lblName = makeText(QStringLiteral("lblName"), this, true);
    {
        QFont font = lblName->font();
        font.setPointSizeF(font.pointSizeF() * 1.5);
        lblName->setFont(font);
    }
    lblLie = makeText(QStringLiteral("lblLie"), this);
    lblPosition = makeText(QStringLiteral("lblPosition"), this, true);
    lblPositionMeaning = makeText(QStringLiteral("lblPositionMeaning"), this);
    lblUpright = makeText(QStringLiteral("lblUpright"), this, true);
    lblUprightMeaning = makeText(QStringLiteral("lblUprightMeaning"), this);
    lblReversed = makeText(QStringLiteral("lblReversed"), this, true);
    lblReversedMeaning = makeText(QStringLiteral("lblReversedMeaning"), this);

    cmdPrevious = new QPushButton(QStringLiteral("< &Previous"), this);
    cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    cmdPrevious->setToolTip(QStringLiteral("The previous position (Left)"));
    cmdNext = new QPushButton(QStringLiteral("&Next >"), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setToolTip(QStringLiteral("The next position (Right)"));
    cmdEntry = new QPushButton(QStringLiteral("Dictionary &Entry"), this);
    cmdEntry->setObjectName(QStringLiteral("cmdEntry"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(QStringLiteral("Close (Esc)"));
    cmdClose->setDefault(true);
    for (QPushButton *button : {cmdPrevious, cmdNext, cmdEntry})
        button->setAutoDefault(false);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblName);
    texts->addWidget(lblLie);
    texts->addSpacing(8);
    texts->addWidget(lblPosition);
    texts->addWidget(lblPositionMeaning);
    texts->addSpacing(8);
    texts->addWidget(lblUpright);
    texts->addWidget(lblUprightMeaning);
    texts->addWidget(lblReversed);
    texts->addWidget(lblReversedMeaning);
    texts->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdPrevious);
    buttons->addWidget(cmdNext);
    buttons->addStretch(1);
    buttons->addWidget(cmdEntry);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // The texts get room for the longest meanings beside the picture.
    const int textWidth = pictureSize().width() * 3 / 2;
    for (QLabel *label : {lblName, lblLie, lblPosition, lblPositionMeaning, lblUpright, lblUprightMeaning, lblReversed,
                          lblReversedMeaning})
        label->setMinimumWidth(textWidth);

    // Shortcuts rather than key handlers: the buttons would take the arrows to move focus.
    auto *previous = new QShortcut(QKeySequence(Qt::Key_Left), this);
    auto *next = new QShortcut(QKeySequence(Qt::Key_Right), this);
    connect(previous, &QShortcut::activated, this, &CardCloseUp::showPrevious);
    connect(next, &QShortcut::activated, this, &CardCloseUp::showNext);
    connect(cmdPrevious, &QPushButton::clicked, this, &CardCloseUp::showPrevious);
    connect(cmdNext, &QPushButton::clicked, this, &CardCloseUp::showNext);
    connect(cmdEntry, &QPushButton::clicked, this, &CardCloseUp::openDictionaryEntry);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

CardCloseUp::~CardCloseUp() = default;

bool CardCloseUp::event(QEvent *event)
{
    if (m_index >= 0 && ShowsAtAnotherRatio(event, this, m_pictureRatio))
        showCard(m_index);
    return QDialog::event(event);
}

bool CardCloseUp::showCard(int index)
{
    const TableCard card = m_table.cardAt(index);
    if (!card.isCard())
        return false;
    m_index = index;

    Shell &shell = m_table.shell();
    m_pictureRatio = ScreenPixelRatio(this);
    const QImage image = CloseUpPicture(shell.platform().programFolder(), card, m_pictureRatio);
    if (image.isNull())
        picture->clear();
    else
        picture->setPixmap(PixmapForRatio(image, pictureSize(), m_pictureRatio));

    const CloseUpText text = CloseUpTextFor(card);
    lblName->setText(text.name);
    picture->setAccessibleName(text.name + QStringLiteral(", ") + text.lie);
    lblLie->setText(text.lie);
    lblPosition->setText(text.positionTitle);
    lblPositionMeaning->setText(text.positionMeaning);
    lblUpright->setText(text.uprightHeading);
    lblUprightMeaning->setText(text.uprightMeaning);
    lblReversed->setText(text.reversedHeading);
    lblReversedMeaning->setText(text.reversedMeaning);
    setWindowTitle(text.positionTitle + QStringLiteral(" - ") + text.name);

    Session &session = shell.session();
    const QString folder = session.dictionaryStore.dictionaryFolder(session.platform.programFolder());
    m_link = FindLinkOfKey(folder, text.name.toLower()).value_or(QString());
    cmdEntry->setEnabled(!m_link.isEmpty());
    cmdEntry->setToolTip(m_link.isEmpty() ? QStringLiteral("The dictionary has no entry for this card")
                                          : QStringLiteral("Open the dictionary's entry for ") + text.name);
    updateButtons();
    return true;
}

int CardCloseUp::neighbour(int step) const
{
    for (int i = m_index + step; i >= 0 && i < frmAuto::kBoxCount; i += step) {
        if (m_table.cardAt(i).isCard())
            return i;
    }
    return -1;
}

void CardCloseUp::updateButtons()
{
    cmdPrevious->setEnabled(neighbour(-1) >= 0);
    cmdNext->setEnabled(neighbour(+1) >= 0);
}

void CardCloseUp::showPrevious()
{
    if (const int i = neighbour(-1); i >= 0)
        showCard(i);
}

void CardCloseUp::showNext()
{
    if (const int i = neighbour(+1); i >= 0)
        showCard(i);
}

void CardCloseUp::openDictionaryEntry()
{
    if (m_link.isEmpty())
        return;
    frmMDI *frame = m_table.shell().existingMainWindow();
    if (!frame || !frame->webWindows())
        return;
    // Closed first: the focus goes back to the table, and the entry then comes in front of it.
    const QString link = m_link;
    WebWindows *web = frame->webWindows();
    close();
    if (web->navigateDictionaryBrowser(link))
        web->showDictionaryBrowser();
}

} // namespace kesto
