#include "ui/web/frmabout.h"

#include "core/platform/maker.h"
#include "core/platform/platform.h"
#include "ui/widgets/linklabel.h"
#include "core/online/modhelp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kesto {

frmAbout::frmAbout(Platform &platform, QWidget *parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Kesto"));
    setModal(true);
    setFont(QFont(QStringLiteral("Verdana"), 9));

    lblTitle = new QLabel(maker::windowTitle(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    lblDescription
        = new QLabel(QStringLiteral("Kesto casts tarot readings for a querent with eight spreads, from a single card "
                                    "to the Celtic Cross, and looks up tarot terms in its tarot dictionary."),
                     this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblCredit = new QLabel(QStringLiteral("Card drawings: the Kesto deck, drawn by Kesto's own card painter."), this);
    lblCredit->setObjectName(QStringLiteral("lblCredit"));
    lblCredit->setWordWrap(true);
    lblHomePage = new LinkLabel(QStringLiteral("Click here to visit ") + maker::siteAddress(), this);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    lblCobrand = new LinkLabel(QStringLiteral("Click here for more details"), this);
    lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblDescription);
    layout->addWidget(lblCredit);
    layout->addWidget(lblHomePage);
    layout->addWidget(lblCobrand);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    setFixedWidth(420);

    connect(lblHomePage, &LinkLabel::clicked, this, [this] { OpenMakerPage(m_platform, page::home); });
    connect(lblCobrand, &LinkLabel::clicked, this, [this] { OpenMakerPage(m_platform, page::fullyBranded); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::showModal(Platform &platform, QWidget *parent)
{
    frmAbout about(platform, parent);
    about.exec();
}

} // namespace kesto
