#pragma once
#include "ui/widgets/screenclose.h"
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;

namespace kesto {

class LinkLabel;
class Shell;

// The mode screen: Tarot Reading or Tarot Dictionary.
class frmOpen : public QWidget
{
    Q_OBJECT
public:
    explicit frmOpen(Shell &shell, QWidget *parent = nullptr);

    // Checks the content folders; ends the program when either is missing.
    void Form_Load();
    void showCentred();

    // True when one of the two modes is selected; otherwise tells the user and returns false.
    bool IsModeChosen();

    void cmdContd_Click();
    void Label61_Click();
    void Label7_Click();

    QLabel *lblHeading = nullptr;
    QRadioButton *optReading = nullptr;
    QRadioButton *optDictionary = nullptr;
    QPushButton *cmdContd = nullptr;
    LinkLabel *Label61 = nullptr;
    LinkLabel *Label7 = nullptr;
    // Opens the reading journal (also Ctrl+J).
    QPushButton *cmdJournal = nullptr;

    // Closes the screen as a step to another one: the program goes on.
    void closeForNavigation();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Enter presses Continue, as on a dialog whose default button it is.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Shell &m_shell;
    ScreenClose m_close;
};

} // namespace kesto
