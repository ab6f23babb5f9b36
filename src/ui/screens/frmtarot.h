#pragma once
#include "ui/widgets/screenclose.h"
#include <QList>
#include <QMainWindow>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace kesto {

class LinkLabel;
class Shell;

// The spread and option screen: shows the querent, offers the eight spreads and the deck
// options, and starts the cast, automatic or by hand. Starting copies the choice into the
// cast values of the current reading.
class frmTarot : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmTarot(Shell &shell, QWidget *parent = nullptr);

    // Resets the cast, shows the querent and selects the first spread.
    void Form_Load();
    void showCentred();

    void lstOption_Click();
    // Shows the description of spread k and publishes its card count.
    void ShowSpreadInfo(int k);
    // Sets the list's text: selects the entry of that name, ignoring case.
    void selectSpreadByText(const QString &name);
    void chkHA_Click();
    void chkLA_Click();
    void cmdAuto_Click();
    void cmdManual_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void mnuExit_Click();
    void Label6_Click();

    QLabel *lblInfo = nullptr;
    QPlainTextEdit *txtQ = nullptr;
    QPlainTextEdit *txtDisp = nullptr;
    QLabel *pctCard = nullptr;
    QListWidget *lstOption = nullptr;
    QGroupBox *frmArcane = nullptr;
    QCheckBox *chkHA = nullptr;
    QCheckBox *chkLA = nullptr;
    QCheckBox *chkRev = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *cmdManual = nullptr;
    QPushButton *cmdAuto = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdCancel = nullptr;
    QFrame *picMessage = nullptr;
    QLabel *lblWait = nullptr;
    QLabel *lblPleaseWait = nullptr;
    LinkLabel *Label6 = nullptr;

    QMenu *mnuFile = nullptr;
    QMenu *mnuChoose = nullptr;
    // The spread entries, one per spread in list order.
    QList<QAction *> mnuScenario;
    QAction *mnuManual = nullptr;
    QAction *mnuAutoCast = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuExit = nullptr;

    // Closes the screen as a step to another one: the program goes on.
    void closeForNavigation();

protected:
    void closeEvent(QCloseEvent *event) override;
    // On a screen of another device pixel ratio the spread picture is shown at its size.
    bool event(QEvent *event) override;

private:
    void buildMenus();
    // Puts the picture of spread k into pctCard, at the size for the screen's pixel ratio.
    void showSpreadPicture(int k);
    // The deck options as ticked now, published for the cast.
    void publishChoice();

    Shell &m_shell;
    ScreenClose m_close;

    // The querent, copied when the screen loads.
    QString m_name;
    QString m_country;
    QString m_question;
    QString m_dateOfBirth;
    // The spread pctCard shows (-1: none) and the device pixel ratio it was shown for.
    int m_shownSpread = -1;
    qreal m_pictureRatio = 1.0;
};

} // namespace kesto
