#include "ui/mainwindow/frmpb.h"

#include "core/session/session.h"
#include "core/platform/maker.h"
#include "ui/widgets/twipsplacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace kesto {

frmPB::frmPB(Session &session, QWidget *parent, int tickMs) : QDialog(parent), m_session(session), m_tickMs(tickMs)
{
    setObjectName(QStringLiteral("frmPB"));
    setWindowTitle(maker::windowTitle());
    setModal(true);
    setFixedSize(px(this, 5400), px(this, 1875));

    Label1 = new QLabel(QStringLiteral("Please wait while Dictionary is Updating ...."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 240, 180, 4920, 300);
    PB = new QProgressBar(this);
    PB->setObjectName(QStringLiteral("PB"));
    place(PB, 240, 600, 4920, 375);
    PB->setTextVisible(false);
    cmdPB = new QPushButton(this);
    cmdPB->setObjectName(QStringLiteral("cmdPB"));
    place(cmdPB, 3720, 1200, 1440, 405);
    cmdPB->setAutoDefault(false);
    connect(cmdPB, &QPushButton::clicked, this, &frmPB::cmdPB_Click);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmPB::Timer1_Timer);

    Form_Load();
}

frmPB::~frmPB() = default;

void frmPB::Form_Load()
{
    cmdPB->setText(QStringLiteral("Show Progress"));
    ProgressMax = 50;
    PB->setRange(0, ProgressMax);
    PB->setValue(qBound(0, int(m_session.ProgressCount), ProgressMax));
    PB->setVisible(false);
    Timer1->stop();
    Timer1->setInterval(m_tickMs);
    PB->setVisible(true);
    Timer1->start();
}

void frmPB::Timer1_Timer()
{
    if (m_session.ProgressCount >= ProgressMax) {
        Timer1->stop();
        m_session.ProgressCount = 0;
        PB->setVisible(false);
        accept();
        return;
    }
    ++m_session.ProgressCount;
    PB->setValue(m_session.ProgressCount);
}

void frmPB::done(int result)
{
    // However the window goes (its last tick, or the end of the program), the next opening
    // starts again from the first step.
    Timer1->stop();
    m_session.ProgressCount = 0;
    QDialog::done(result);
}

void frmPB::keyPressEvent(QKeyEvent *event)
{
    // Escape would cancel the dialog.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmPB::closeEvent(QCloseEvent *event)
{
    // A close the window system asks for is the user's close box (or Alt+F4); a close the
    // program asks for (it is ending) goes through.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace kesto
