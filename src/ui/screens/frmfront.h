#pragma once
#include "ui/widgets/screenclose.h"
#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace kesto {

class LinkLabel;
class Shell;

// The querent details screen: name, date of birth, country and question of the person the
// reading is for. Next stores them in the current reading and moves on to the spread screen.
class frmFront : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmFront(Shell &shell, QWidget *parent = nullptr);

    // Fills the three date boxes and selects 1 January 1980.
    void Form_Load();
    void showCentred();

    void cmdNext_Click();
    void cmdReset_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void Label6_Click();
    void lblFullBrand_Click();
    void lblCobrand_Click();

    // The characters the name and country boxes accept from the keyboard: letters A to Z in
    // either case, the blank, backspace (8) and delete (127).
    static bool isAcceptedCharacter(QChar c);

    QLabel *Image1 = nullptr;
    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    QLabel *lblAge = nullptr;
    QComboBox *cmbMonth = nullptr;
    QComboBox *cmbDate = nullptr;
    QComboBox *cmbYear = nullptr;
    QLabel *lblCountry = nullptr;
    QLineEdit *txtCountry = nullptr;
    QLabel *lblQuestion = nullptr;
    QPlainTextEdit *txtQuestion = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdBack = nullptr;
    LinkLabel *Label6 = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;

    QMenu *mnuFile = nullptr;
    QAction *mnuReset = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuExit = nullptr;

    // Closes the screen as a step to another one: the program goes on.
    void closeForNavigation();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // On a screen of another device pixel ratio the card picture is shown at its size.
    bool event(QEvent *event) override;

private:
    void buildMenus();
    // Puts the catalogue's first card into Image1, at the size for the screen's pixel ratio.
    void showPicture();
    // Whether a key pressed in the name or country box types a refused character.
    static bool keyIsRefused(const QKeyEvent *event);
    static bool isAcceptedText(const QString &text);
    // Shows the box's message and keeps the focus in the box; the typing is discarded.
    bool refuseTyping(QLineEdit *box);

    Shell &m_shell;
    ScreenClose m_close;
    // The device pixel ratio Image1's picture was made for.
    qreal m_pictureRatio = 1.0;
};

} // namespace kesto
