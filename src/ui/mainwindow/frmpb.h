#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kesto {

struct Session;

// The dictionary update's progress window: shown modally once the merge is done, it fills its
// bar in ProgressMax steps, one per timer tick, and closes itself on the tick after the last.
// The step counter is the session's ProgressCount, which goes back to 0 when the window
// closes, so that the next opening starts again from the first step. The user cannot close
// it early (Escape and the close box do nothing); only the program, when it ends, closes it
// before its last step.
class frmPB : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 100;

    // `tickMs` is the timer's interval.
    explicit frmPB(Session &session, QWidget *parent = nullptr, int tickMs = kTickMs);
    ~frmPB() override;

    // Runs when the window is created: captions, bar and timer.
    void Form_Load();
    // One step of the bar, or, once it is full, the end of the window.
    void Timer1_Timer();
    // The button has no action of its own.
    void cmdPB_Click() {}

    int ProgressMax = 0;

    QLabel *Label1 = nullptr;
    QProgressBar *PB = nullptr;
    QTimer *Timer1 = nullptr;
    QPushButton *cmdPB = nullptr;

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Session &m_session;
    int m_tickMs;
};

} // namespace kesto
