#include "ui/screens/frmfront.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/platform/platform.h"
#include "core/platform/regularfile.h"
#include "core/session/session.h"
#include "core/reading/deck.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/widgets/screenwindow.h"
#include "ui/widgets/actions.h"
#include "ui/widgets/makermenus.h"
#include "ui/shell/shell.h"
#include "ui/widgets/pixelratio.h"
#include "ui/web/frmabout.h"
#include "core/online/modhelp.h"

#include <algorithm>
#include <QEvent>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kesto {

namespace {

constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 5640;

} // namespace

frmFront::frmFront(Shell &shell, QWidget *parent) : QMainWindow(parent), m_shell(shell)
{
    QWidget *client = dressScreenWindow(this, QStringLiteral("frmFront"), QStringLiteral("frontClient"), kClientWidth,
                                        kClientHeight);

    const QFont labelFont(QStringLiteral("Verdana"), 8, QFont::Bold);
    const QFont boxFont(QStringLiteral("Verdana"), 8);

    // The first card of the catalogue (r0.jpg) beside the querent's details.
    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFrameShape(QFrame::Panel);
    Image1->setFrameShadow(QFrame::Sunken);
    Image1->setAlignment(Qt::AlignCenter);
    place(Image1, 240, 240, 1800, 3120);
    showPicture();

    auto makeLabel = [&](QLabel *&label, const QString &name, const QString &caption, int top) {
        label = new QLabel(caption, client);
        label->setObjectName(name);
        label->setFont(labelFont);
        place(label, 2280, top + 45, 1320, 255);
    };
    makeLabel(lblName, QStringLiteral("lblName"), QStringLiteral("Name"), 240);
    txtName = new QLineEdit(client);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setFont(boxFont);
    place(txtName, 3600, 240, 3960, 345);

    makeLabel(lblAge, QStringLiteral("lblAge"), QStringLiteral("Date of Birth"), 720);
    auto makeCombo = [&](QComboBox *&combo, const QString &name, int left, int width) {
        combo = new QComboBox(client);
        combo->setObjectName(name);
        combo->setFont(boxFont);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What is typed stays as typed: no completion from the items.
        combo->setCompleter(nullptr);
        combo->setMaxVisibleItems(12);
        place(combo, left, 720, width, 345);
    };
    makeCombo(cmbMonth, QStringLiteral("cmbMonth"), 3600, 1680);
    makeCombo(cmbDate, QStringLiteral("cmbDate"), 5340, 900);
    makeCombo(cmbYear, QStringLiteral("cmbYear"), 6300, 1260);

    makeLabel(lblCountry, QStringLiteral("lblCountry"), QStringLiteral("Country"), 1200);
    txtCountry = new QLineEdit(client);
    txtCountry->setObjectName(QStringLiteral("txtCountry"));
    txtCountry->setFont(boxFont);
    place(txtCountry, 3600, 1200, 3960, 345);

    makeLabel(lblQuestion, QStringLiteral("lblQuestion"), QStringLiteral("Question"), 1680);
    txtQuestion = new QPlainTextEdit(client);
    txtQuestion->setObjectName(QStringLiteral("txtQuestion"));
    txtQuestion->setFont(boxFont);
    txtQuestion->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtQuestion->setTabChangesFocus(true);
    place(txtQuestion, 3600, 1680, 3960, 1680);

    // One row under the question, from left to right Exit, Reset, Back, Next.
    auto makeButton = [&](QPushButton *&button, const QString &name, const QString &caption, int left) {
        button = new QPushButton(caption, client);
        button->setObjectName(name);
        place(button, left, 3600, 915, 405);
    };
    makeButton(cmdCancel, QStringLiteral("cmdCancel"), QStringLiteral("&Exit"), 3600);
    makeButton(cmdReset, QStringLiteral("cmdReset"), QStringLiteral("&Reset"), 4615);
    makeButton(cmdBack, QStringLiteral("cmdBack"), QStringLiteral("&Back"), 5630);
    makeButton(cmdNext, QStringLiteral("cmdNext"), QStringLiteral("&Next"), 6645);
    cmdNext->setDefault(true);

    Label6 = makeForumLink(client);
    Label6->setObjectName(QStringLiteral("Label6"));
    place(Label6, 240, 4260, 7320, 255);
    lblFullBrand = new LinkLabel(QStringLiteral("Home Business Opportunity: get Kesto fully branded with your own "
                                                "name and web site. Click here for more details."),
                                 client);
    lblFullBrand->setObjectName(QStringLiteral("lblFullBrand"));
    place(lblFullBrand, 240, 4620, 7320, 435);
    lblCobrand = new LinkLabel(QStringLiteral("Put your web address on Kesto and give it to your visitors. "
                                              "Click here for more info on co-branding."),
                               client);
    lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
    place(lblCobrand, 240, 5100, 7320, 435);
    for (LinkLabel *label : {Label6, lblFullBrand, lblCobrand})
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    setTabOrder(txtName, cmbMonth);
    setTabOrder(cmbMonth, cmbDate);
    setTabOrder(cmbDate, cmbYear);
    setTabOrder(cmbYear, txtCountry);
    setTabOrder(txtCountry, txtQuestion);
    setTabOrder(txtQuestion, cmdNext);
    setTabOrder(cmdNext, cmdReset);
    setTabOrder(cmdReset, cmdCancel);
    setTabOrder(cmdCancel, cmdBack);

    txtName->installEventFilter(this);
    txtCountry->installEventFilter(this);

    connect(cmdNext, &QPushButton::clicked, this, &frmFront::cmdNext_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmFront::cmdReset_Click);
    connect(cmdBack, &QPushButton::clicked, this, &frmFront::cmdBack_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFront::cmdCancel_Click);
    connect(Label6, &LinkLabel::clicked, this, &frmFront::Label6_Click);
    connect(lblFullBrand, &LinkLabel::clicked, this, &frmFront::lblFullBrand_Click);
    connect(lblCobrand, &LinkLabel::clicked, this, &frmFront::lblCobrand_Click);

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmFront::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuReset = makeAction(QStringLiteral("mnuReset"), QStringLiteral("&Reset"), this);
    mnuNext = makeAction(QStringLiteral("mnuNext"), QStringLiteral("N&ext"), this);
    mnuBack = makeAction(QStringLiteral("mnuBack"), QStringLiteral("&Back"), this);
    mnuExit = makeAction(QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this);
    mnuFile->addAction(mnuReset);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuNext);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuBack);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    addMakerMenus(this, MakerMenuWording::Querent, m_shell.platform(),
                  [this] { frmAbout::showModal(m_shell.platform(), this); });

    connect(mnuReset, &QAction::triggered, this, &frmFront::cmdReset_Click);
    connect(mnuNext, &QAction::triggered, this, &frmFront::cmdNext_Click);
    // The entry reads "Back", so it does what the Back button does, as the spread screen's
    // Back entry does.
    connect(mnuBack, &QAction::triggered, this, &frmFront::cmdBack_Click);
    connect(mnuExit, &QAction::triggered, this, &frmFront::cmdCancel_Click);
}

void frmFront::Form_Load()
{
    for (int day = 1; day <= 31; ++day)
        cmbDate->addItem(QString::number(day));
    cmbMonth->addItems({QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                        QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
                        QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"),
                        QStringLiteral("November"), QStringLiteral("December")});
    for (int year = 1900; year <= 2050; ++year)
        cmbYear->addItem(QString::number(year));
    cmbDate->setCurrentIndex(0);
    cmbMonth->setCurrentIndex(0);
    cmbYear->setCurrentIndex(80);
}

void frmFront::showCentred()
{
    kesto::showCentred(this);
    txtName->setFocus();
}

bool frmFront::isAcceptedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == 32 || u == 8 || u == 127;
}

bool frmFront::eventFilter(QObject *watched, QEvent *event)
{
    QLineEdit *box = watched == txtName ? txtName : watched == txtCountry ? txtCountry : nullptr;
    if (box && event->type() == QEvent::KeyPress && keyIsRefused(static_cast<QKeyEvent *>(event)))
        return refuseTyping(box);
    // Text an input method or a compose sequence commits is typed too, without a key press
    // of its own.
    if (box && event->type() == QEvent::InputMethod
        && !isAcceptedText(static_cast<QInputMethodEvent *>(event)->commitString()))
        return refuseTyping(box);
    return QMainWindow::eventFilter(watched, event);
}

bool frmFront::keyIsRefused(const QKeyEvent *event)
{
    // Only keys that type a character are filtered: moving the caret, Tab between the
    // boxes and a menu's access key type nothing. Alt, Meta or AltGr held does not stop a
    // key from typing, so its text is filtered like any other.
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    // A control combination (copy, paste, select all...) types a control character.
    if ((event->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return true;
    return !isAcceptedText(event->text());
}

bool frmFront::isAcceptedText(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), isAcceptedCharacter);
}

bool frmFront::refuseTyping(QLineEdit *box)
{
    const QString text = box == txtName ? QStringLiteral("Name cannot contain Numbers and Special Characters")
                                        : QStringLiteral("Country cannot contain Numbers and Special Characters");
    m_shell.platform().message(text, MessageIcon::Information);
    box->setFocus();
    return true;
}

void frmFront::cmdNext_Click()
{
    CurrentReading &reading = m_shell.session().reading;
    reading.strName = txtName->text();
    reading.strCountry = txtCountry->text();
    reading.strQ = txtQuestion->toPlainText();
    reading.strDate = cmbDate->currentText();
    reading.strMonth = cmbMonth->currentText();
    reading.strYear = cmbYear->currentText();
    reading.strDOB = DateOfBirthText(reading.strMonth, reading.strDate, reading.strYear);

    if (reading.readingMode == FlagTrue) {
        frmMDI *frame = m_shell.mainWindow();
        frame->applyReadingArrangement();
        // A frame left from an earlier pass (Back from the spread screen) was loaded with the
        // previous querent; it shows the one just entered.
        frame->showQuerent();
        m_shell.openSpreadScreen();
    } else {
        m_shell.openDictionary();
    }
    closeForNavigation();
}

void frmFront::cmdReset_Click()
{
    txtName->clear();
    txtCountry->clear();
    txtQuestion->clear();
    cmbDate->setCurrentIndex(0);
    cmbMonth->setCurrentIndex(0);
    cmbYear->setCurrentIndex(80);
    txtName->setFocus();
}

void frmFront::cmdBack_Click()
{
    m_shell.showModeScreen();
    closeForNavigation();
}

void frmFront::cmdCancel_Click() { close(); }

void frmFront::Label6_Click() { OpenMakerPage(m_shell.platform(), page::home); }
void frmFront::lblFullBrand_Click() { OpenMakerPage(m_shell.platform(), page::fullyBranded); }
void frmFront::lblCobrand_Click() { OpenMakerPage(m_shell.platform(), page::coBrand); }

void frmFront::closeForNavigation() { m_close.navigate(this); }

void frmFront::closeEvent(QCloseEvent *event)
{
    m_close.accept(event, [this] { m_shell.EndProgram(); });
}

void frmFront::showPicture()
{
    m_pictureRatio = ScreenPixelRatio(this);
    const QImage picture = ReadPictureForRatio(CardPicturePath(m_shell.platform().programFolder(), 0), m_pictureRatio);
    if (!picture.isNull())
        Image1->setPixmap(PixmapForRatio(picture, Image1->contentsRect().size(), m_pictureRatio));
}

bool frmFront::event(QEvent *event)
{
    if (ShowsAtAnotherRatio(event, this, m_pictureRatio))
        showPicture();
    return QMainWindow::event(event);
}

} // namespace kesto
