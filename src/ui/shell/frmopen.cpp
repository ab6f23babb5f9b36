#include "ui/shell/frmopen.h"

#include "core/platform/maker.h"
#include "core/platform/platform.h"
#include "core/session/session.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/shell/shell.h"
#include "core/online/modhelp.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace kesto {

frmOpen::frmOpen(Shell &shell, QWidget *parent) : QWidget(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("frmOpen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(maker::windowTitle());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    setFont(QFont(QStringLiteral("Verdana"), 9));

    lblHeading = new QLabel(QStringLiteral("Make a Choice"), this);
    lblHeading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont(QStringLiteral("Verdana"), 14, QFont::Bold);
    lblHeading->setFont(headingFont);
    lblHeading->setAlignment(Qt::AlignCenter);

    auto *choices = new QFrame(this);
    choices->setObjectName(QStringLiteral("fraChoice"));
    choices->setFrameShape(QFrame::StyledPanel);
    optReading = new QRadioButton(QStringLiteral("Tarot Reading"), choices);
    optReading->setObjectName(QStringLiteral("optReading"));
    optDictionary = new QRadioButton(QStringLiteral("Tarot Dictionary"), choices);
    optDictionary->setObjectName(QStringLiteral("optDictionary"));
    auto *choiceLayout = new QVBoxLayout(choices);
    choiceLayout->setContentsMargins(24, 12, 24, 12);
    choiceLayout->setSpacing(10);
    choiceLayout->addWidget(optReading);
    choiceLayout->addWidget(optDictionary);

    cmdContd = new QPushButton(QStringLiteral("Continue...."), this);
    cmdContd->setObjectName(QStringLiteral("cmdContd"));
    cmdContd->setDefault(true);

    Label61 = makeForumLink(this);
    Label61->setObjectName(QStringLiteral("Label61"));
    Label61->setAlignment(Qt::AlignCenter);
    Label7 = new LinkLabel(QStringLiteral("Get Kesto branded with your own name and web site"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setAlignment(Qt::AlignCenter);

    cmdJournal = new QPushButton(QStringLiteral("Reading &Journal..."), this);
    cmdJournal->setObjectName(QStringLiteral("cmdJournal"));
    cmdJournal->setToolTip(QStringLiteral("The readings kept on this computer (Ctrl+J)"));
    auto *journalKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(px(this, 360), px(this, 240), px(this, 360), px(this, 240));
    layout->setSpacing(px(this, 180));
    layout->addWidget(lblHeading);
    layout->addWidget(choices);
    layout->addWidget(cmdContd, 0, Qt::AlignHCenter);
    layout->addWidget(Label61);
    layout->addWidget(Label7);
    layout->addWidget(cmdJournal, 0, Qt::AlignHCenter);

    setFixedSize(px(this, 5400), px(this, 4200));

    connect(cmdContd, &QPushButton::clicked, this, &frmOpen::cmdContd_Click);
    connect(Label61, &LinkLabel::clicked, this, &frmOpen::Label61_Click);
    connect(Label7, &LinkLabel::clicked, this, &frmOpen::Label7_Click);
    connect(cmdJournal, &QPushButton::clicked, this, [this] { m_shell.showJournal(); });
    connect(journalKey, &QShortcut::activated, this, [this] { m_shell.showJournal(); });
}

void frmOpen::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !(event->modifiers() & ~Qt::KeypadModifier)
        && cmdContd->isEnabled()) {
        event->accept();
        cmdContd->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmOpen::Form_Load()
{
    Platform &platform = m_shell.platform();
    const QString folder = platform.programFolder();
    const bool cards = QFileInfo(folder + QStringLiteral("/cards/")).isDir();
    const bool pictures = QFileInfo(folder + QStringLiteral("/pic/")).isDir();
    if (!cards || !pictures) {
        platform.message(QStringLiteral("Cards or Spread Pictures are missing.\rPlease Reinstall Software."),
                         MessageIcon::Information);
        m_shell.EndProgram();
    }
}

void frmOpen::showCentred() { kesto::showCentred(this, CentreFit::AsIs); }

bool frmOpen::IsModeChosen()
{
    if (optReading->isChecked() || optDictionary->isChecked())
        return true;
    m_shell.platform().message(QStringLiteral("Please select an Option between Tartot Reading and Tarot Dictionary"),
                               MessageIcon::Information);
    return false;
}

void frmOpen::cmdContd_Click()
{
    if (!IsModeChosen())
        return;
    Session &session = m_shell.session();
    if (optReading->isChecked()) {
        session.reading.readingMode = FlagTrue;
        m_shell.openQuerentScreen();
        closeForNavigation();
        return;
    }
    session.reading.readingMode = FlagFalse;
    const QString dictionary = session.platform.programFolder() + QStringLiteral("/tarot.dll");
    if (!QFileInfo::exists(dictionary)) {
        session.platform.message(QStringLiteral("Files Needed To Run Kesto Is Missing\rPlease Reinstall Software."),
                                 MessageIcon::Error);
        return;
    }
    m_shell.openDictionary();
    closeForNavigation();
}

void frmOpen::Label61_Click() { OpenMakerPage(m_shell.platform(), page::home); }

void frmOpen::Label7_Click() { OpenMakerPage(m_shell.platform(), page::fullyBranded); }

void frmOpen::closeForNavigation() { m_close.navigate(this); }

void frmOpen::closeEvent(QCloseEvent *event)
{
    m_close.accept(event, [this] { m_shell.EndProgram(); });
}

} // namespace kesto
