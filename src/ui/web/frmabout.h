#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace kesto {

class LinkLabel;
class Platform;

// The About box, shown modally from "&About Software".
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform &platform, QWidget *parent = nullptr);
    // Shows the box over the parent and returns once it is closed.
    static void showModal(Platform &platform, QWidget *parent);

    QLabel *lblTitle = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblCredit = nullptr;
    LinkLabel *lblHomePage = nullptr;
    LinkLabel *lblCobrand = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    Platform &m_platform;
};

} // namespace kesto
