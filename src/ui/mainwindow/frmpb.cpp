#include "ui/mainwindow/frmpb.h"

#include "core/session/session.h"
#include "core/platform/twips.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace kesto {

namespace {
int px(int twips) { return twipsToPixels(twips); }
} // namespace

frmPB::frmPB(Session &session, QWidget *parent, int tickMs)
    : QDialog(parent), m_session(session), m_tickMs(tickMs)
{
    setObjectName(QStringLiteral("frmPB"));
    setWindowTitle(QStringLiteral("Kesto v1.55"));
    setModal(true);
    setFixedSize(px(5400), px(1875));

    Label1 = new QLabel(QStringLiteral("Please wait while Dictionary is Updating ...."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(px(240), px(180), px(4920), px(300));
    PB = new QProgressBar(this);
    PB->setObjectName(QStringLiteral("PB"));
    PB->setGeometry(px(240), px(600), px(4920), px(375));
    PB->setTextVisible(false);
    cmdPB = new QPushButton(this);
    cmdPB->setObjectName(QStringLiteral("cmdPB"));
    cmdPB->setGeometry(px(3720), px(1200), px(1440), px(405));
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
    PB->setValue(qBound(0, int(m_session.progressCount), ProgressMax));
    PB->setVisible(false);
    Timer1->stop();
    Timer1->setInterval(m_tickMs);
    PB->setVisible(true);
    Timer1->start();
}

void frmPB::Timer1_Timer()
{
    if (m_session.progressCount >= ProgressMax) {
        Timer1->stop();
        m_session.progressCount = 0;
        PB->setVisible(false);
        accept();
        return;
    }
    ++m_session.progressCount;
    PB->setValue(m_session.progressCount);
}

void frmPB::done(int result)
{
    // However the window goes (its last tick, or its close box), the next opening starts
    // again from the first step.
    Timer1->stop();
    m_session.progressCount = 0;
    QDialog::done(result);
}

} // namespace kesto
