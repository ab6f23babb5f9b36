#include "ui/screens/frmtarot.h"

#include "core/platform/platform.h"
#include "core/platform/regularfile.h"
#include "core/session/session.h"
#include "core/reading/spreads.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/widgets/screenwindow.h"
#include "ui/widgets/actions.h"
#include "ui/widgets/makermenus.h"
#include "ui/widgets/singlechoicelist.h"
#include "ui/widgets/keyboard.h"
#include "ui/shell/shell.h"
#include "ui/widgets/pixelratio.h"
#include "ui/web/frmabout.h"
#include "core/online/modhelp.h"

#include <QEvent>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include "ui/widgets/singlechoicelist.h"

#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kesto {

namespace {

QPlainTextEdit *makeReadOnlyBox(const QString &name, QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

constexpr int kClientWidth = 10080;
constexpr int kClientHeight = 5940;

} // namespace

frmTarot::frmTarot(Shell &shell, QWidget *parent) : QMainWindow(parent), m_shell(shell)
{
    QWidget *client = dressScreenWindow(this, QStringLiteral("frmTarot"), QStringLiteral("tarotClient"), kClientWidth,
                                        kClientHeight);

    lblInfo = new QLabel(client);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
    place(lblInfo, 120, 120, 9840, 285);

    txtQ = makeReadOnlyBox(QStringLiteral("txtQ"), client);
    place(txtQ, 120, 480, 9840, 615);

    txtDisp = makeReadOnlyBox(QStringLiteral("txtDisp"), client);
    txtDisp->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    place(txtDisp, 120, 1215, 2760, 3525);

    pctCard = new QLabel(client);
    pctCard->setObjectName(QStringLiteral("pctCard"));
    pctCard->setFrameShape(QFrame::Panel);
    pctCard->setFrameShadow(QFrame::Sunken);
    pctCard->setAlignment(Qt::AlignCenter);
    pctCard->setWordWrap(true);
    pctCard->setAutoFillBackground(true);
    {
        QPalette pal = pctCard->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pctCard->setPalette(pal);
    }
    place(pctCard, 3000, 1215, 3000, 3525);

    lstOption = new SingleChoiceList(client);
    lstOption->setObjectName(QStringLiteral("lstOption"));
    lstOption->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The list's frame shows when the keyboard is on it; the chosen row alone does not tell.
    lstOption->setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid #FF8C00; }"));
    place(lstOption, 6120, 1215, 3840, 2040);

    frmArcane = new QGroupBox(QStringLiteral("Select One Option"), client);
    frmArcane->setObjectName(QStringLiteral("frmArcane"));
    place(frmArcane, 6120, 3330, 3840, 900);
    chkHA = new QCheckBox(QStringLiteral("Major Arcana"), frmArcane);
    chkHA->setObjectName(QStringLiteral("chkHA"));
    place(chkHA, 180, 270, 3480, 255);
    chkLA = new QCheckBox(QStringLiteral("Minor Arcana"), frmArcane);
    chkLA->setObjectName(QStringLiteral("chkLA"));
    place(chkLA, 180, 570, 3480, 255);

    chkRev = new QCheckBox(client);
    chkRev->setObjectName(QStringLiteral("chkRev"));
    chkRev->setChecked(true);
    place(chkRev, 6180, 4395, 255, 255);
    chkRev->setAccessibleName(QStringLiteral("Allow Reverse Cards"));
    Label3 = new QLabel(QStringLiteral("Allow Reverse Cards"), client);
    Label3->setObjectName(QStringLiteral("Label3"));
    place(Label3, 6480, 4395, 3480, 255);

    auto makeButton = [&](QPushButton *&button, const QString &name, const QString &caption, int left) {
        button = new QPushButton(caption, client);
        button->setObjectName(name);
        place(button, left, 4920, 2280, 420);
    };
    makeButton(cmdManual, QStringLiteral("cmdManual"), QStringLiteral("Manual"), 120);
    makeButton(cmdAuto, QStringLiteral("cmdAuto"), QStringLiteral("AutoCast"), 2640);
    makeButton(cmdBack, QStringLiteral("cmdBack"), QStringLiteral("Back"), 5160);
    makeButton(cmdCancel, QStringLiteral("cmdCancel"), QStringLiteral("Exit"), 7680);
    cmdAuto->setDefault(true);

    Label6 = makeForumLink(client);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignCenter);
    place(Label6, 120, 5520, 9840, 285);

    // The wait panel, over the picture while an automatic cast is prepared.
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
    place(picMessage, 2640, 2160, 4800, 1200);
    lblWait = new QLabel(QStringLiteral("Kesto is generating the Tarot result...."), picMessage);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    lblPleaseWait = new QLabel(QStringLiteral("Please Wait ..."), picMessage);
    lblPleaseWait->setObjectName(QStringLiteral("lblPleaseWait"));
    for (QLabel *label : {lblWait, lblPleaseWait}) {
        label->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
        label->setAlignment(Qt::AlignCenter);
    }
    auto *waitLayout = new QVBoxLayout(picMessage);
    waitLayout->addStretch();
    waitLayout->addWidget(lblWait);
    waitLayout->addWidget(lblPleaseWait);
    waitLayout->addStretch();
    picMessage->hide();

    setTabOrder(lstOption, chkHA);
    setTabOrder(chkHA, chkLA);
    setTabOrder(chkLA, chkRev);
    setTabOrder(chkRev, cmdManual);
    setTabOrder(cmdManual, cmdAuto);
    setTabOrder(cmdAuto, cmdBack);
    setTabOrder(cmdBack, cmdCancel);
    setTabOrder(cmdCancel, txtQ);
    setTabOrder(txtQ, txtDisp);

    // A click moves the current row before it selects, a call to setCurrentRow selects before
    // it moves the current row: the selection's change is the one moment both agree.
    connect(lstOption, &QListWidget::itemSelectionChanged, this, &frmTarot::lstOption_Click);
    connect(chkHA, &QCheckBox::clicked, this, &frmTarot::chkHA_Click);
    connect(chkLA, &QCheckBox::clicked, this, &frmTarot::chkLA_Click);
    connect(cmdAuto, &QPushButton::clicked, this, &frmTarot::cmdAuto_Click);
    connect(cmdManual, &QPushButton::clicked, this, &frmTarot::cmdManual_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmTarot::cmdBack_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmTarot::cmdCancel_Click);
    connect(Label6, &LinkLabel::clicked, this, &frmTarot::Label6_Click);

    buildMenus();
    // The four commands' captions have no access key: each gets a key of its own.
    GiveCommandKey(cmdManual, QKeySequence(Qt::ControlModifier | Qt::Key_M), QStringLiteral("Manual"));
    GiveCommandKey(cmdAuto, QKeySequence(Qt::ControlModifier | Qt::Key_Return), QStringLiteral("AutoCast"));
    GiveCommandKey(cmdBack, QKeySequence(Qt::AltModifier | Qt::Key_Left), QStringLiteral("Back"));
    GiveCommandKey(cmdCancel, QKeySequence(Qt::ControlModifier | Qt::Key_Q), QStringLiteral("Exit"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmTarot::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuChoose = mnuFile->addMenu(QStringLiteral("&Choose Scenario"));
    mnuChoose->setObjectName(QStringLiteral("mnuChoose"));
    for (int k = 0; k < kSpreadCount; ++k) {
        const Spread *spread = SpreadByIndex(k);
        if (!spread)
            continue;
        QAction *entry = makeAction(QStringLiteral("mnuScenario_") + QString::number(k), spread->menuCaption, this);
        mnuChoose->addAction(entry);
        mnuScenario.append(entry);
        // Every entry passes its spread's list name, except the seven-card entry, which
        // passes its own caption's wording; the list's match ignores case either way.
        const QString name = k == kChakraLayout ? QStringLiteral("Seven card chakra layout") : spread->listName;
        connect(entry, &QAction::triggered, this, [this, name] { selectSpreadByText(name); });
    }
    mnuFile->addSeparator();
    mnuManual = makeAction(QStringLiteral("mnuManual"), QStringLiteral("&Manual"), this);
    mnuAutoCast = makeAction(QStringLiteral("mnuAutoCast"), QStringLiteral("Auto&Cast"), this);
    mnuBack = makeAction(QStringLiteral("mnuBack"), QStringLiteral("Back"), this);
    mnuExit = makeAction(QStringLiteral("mnuExit"), QStringLiteral("&Exit"), this);
    mnuFile->addAction(mnuManual);
    mnuFile->addAction(mnuAutoCast);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuBack);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    addMakerMenus(this, MakerMenuWording::Standard, m_shell.platform(),
                  [this] { frmAbout::showModal(m_shell.platform(), this); });

    connect(mnuManual, &QAction::triggered, this, &frmTarot::cmdManual_Click);
    connect(mnuAutoCast, &QAction::triggered, this, &frmTarot::cmdAuto_Click);
    connect(mnuBack, &QAction::triggered, this, &frmTarot::cmdBack_Click);
    connect(mnuExit, &QAction::triggered, this, &frmTarot::mnuExit_Click);
}

void frmTarot::Form_Load()
{
    CurrentReading &reading = m_shell.session().reading;
    reading.resetCast();

    m_name = reading.strName;
    m_country = reading.strCountry;
    m_question = reading.strQ;
    m_dateOfBirth = reading.strDOB;

    const QString gap = QStringLiteral("     ");
    lblInfo->setText(QStringLiteral("Name: ") + m_name + gap + QStringLiteral("Date: ") + m_dateOfBirth + gap
                     + QStringLiteral("Country: ") + m_country);
    txtQ->setPlainText(QStringLiteral("Question: ") + m_question);

    for (int k = 0; k < kSpreadCount; ++k) {
        if (const Spread *spread = SpreadByIndex(k))
            lstOption->addItem(spread->listName);
    }
    lstOption->setCurrentRow(0);
}

void frmTarot::showCentred()
{
    kesto::showCentred(this);
    lstOption->setFocus();
}

void frmTarot::lstOption_Click()
{
    CurrentReading &reading = m_shell.session().reading;
    const QList<QListWidgetItem *> selected = lstOption->selectedItems();
    reading.spreadListIndex = selected.isEmpty() ? -1 : lstOption->row(selected.first());
    for (reading.Ind = 0; reading.Ind < lstOption->count(); ++reading.Ind) {
        const int k = reading.Ind;
        if (lstOption->item(k)->isSelected()) {
            showSpreadPicture(k);
            ShowSpreadInfo(k);
            return;
        }
    }
}

void frmTarot::ShowSpreadInfo(int k)
{
    CurrentReading &reading = m_shell.session().reading;
    reading.MaxCardInSet = qint16(k);
    const Spread *spread = SpreadByIndex(k);
    if (!spread)
        return;
    txtDisp->setPlainText(spread->description);
    reading.no = spread->cardCount;
}

// A spread whose picture file is missing or unreadable shows no picture, never the one of
// the spread selected before: the box is cleared and names the spread instead.
void frmTarot::showSpreadPicture(int k)
{
    if (const Spread *spread = SpreadByIndex(k))
        pctCard->setAccessibleName(QStringLiteral("Spread picture: ") + spread->listName);
    m_shownSpread = k;
    m_pictureRatio = ScreenPixelRatio(this);
    const QImage picture
        = ReadPictureForRatio(SpreadPicturePath(m_shell.platform().programFolder(), k), m_pictureRatio);
    if (picture.isNull()) {
        pctCard->clear();
        const Spread *spread = SpreadByIndex(k);
        pctCard->setText(spread ? spread->listName : QString());
        return;
    }
    // A picture larger than the box is made to fit it; any other shows at its own size.
    const QSize room = pctCard->contentsRect().size() - QSize(4, 4);
    const QSizeF size = picture.deviceIndependentSize();
    if (size.width() > room.width() || size.height() > room.height())
        pctCard->setPixmap(PixmapForRatio(picture, room, m_pictureRatio));
    else
        pctCard->setPixmap(QPixmap::fromImage(picture));
}

bool frmTarot::event(QEvent *event)
{
    if (m_shownSpread >= 0 && ShowsAtAnotherRatio(event, this, m_pictureRatio))
        showSpreadPicture(m_shownSpread);
    return QMainWindow::event(event);
}

void frmTarot::selectSpreadByText(const QString &name)
{
    for (int row = 0; row < lstOption->count(); ++row) {
        if (lstOption->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            lstOption->setCurrentRow(row);
            return;
        }
    }
}

void frmTarot::chkHA_Click()
{
    if (chkHA->isChecked() && chkLA->isChecked())
        chkLA->setChecked(false);
}

void frmTarot::chkLA_Click()
{
    if (chkLA->isChecked() && chkHA->isChecked())
        chkHA->setChecked(false);
}

void frmTarot::publishChoice()
{
    CurrentReading &reading = m_shell.session().reading;
    const QList<QListWidgetItem *> selected = lstOption->selectedItems();
    reading.card = selected.isEmpty() ? QString() : selected.first()->text();
    reading.rboo = toFlag(chkRev->isChecked());
    reading.lboo = toFlag(chkLA->isChecked());
    reading.hboo = toFlag(chkHA->isChecked());
}

void frmTarot::cmdAuto_Click()
{
    CurrentReading &reading = m_shell.session().reading;
    publishChoice();

    // On screen before the pause: repainting the window alone would leave a newly shown
    // child to the next event loop pass, which the pause holds off.
    picMessage->show();
    picMessage->raise();
    picMessage->repaint();
    repaint();

    if (!chkRev->isChecked())
        m_shell.platform().pause(3000);

    reading.isManualPick = FlagFalse;
    reading.startedByAutoCast = FlagTrue;
    reading.startedByManual = FlagFalse;

    reading.takeSpreadChoice();

    m_shell.openAutomaticCast();
    closeForNavigation();
}

void frmTarot::cmdManual_Click()
{
    CurrentReading &reading = m_shell.session().reading;
    publishChoice();

    reading.isManualPick = FlagTrue;
    reading.startedByAutoCast = FlagFalse;
    reading.startedByManual = FlagTrue;

    reading.takeSpreadChoice();

    m_shell.openManualPick();
    closeForNavigation();
}

void frmTarot::cmdBack_Click()
{
    m_shell.openQuerentScreen();
    closeForNavigation();
}

void frmTarot::cmdCancel_Click() { close(); }

// Closing this screen other than by navigation ends the program, which closes every other
// window, the querent screen among them.
void frmTarot::mnuExit_Click() { close(); }

void frmTarot::Label6_Click() { OpenMakerPage(m_shell.platform(), page::home); }

void frmTarot::closeForNavigation() { m_close.navigate(this); }

void frmTarot::closeEvent(QCloseEvent *event)
{
    m_close.accept(event, [this] { m_shell.EndProgram(); });
}

} // namespace kesto
