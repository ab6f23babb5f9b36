// The about box: its captions, its two page links and OK.
#include "fakeplatform.h"
#include "ui/web/frmabout.h"
#include "ui/widgets/linklabel.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace kesto;
using kesto::test::FakePlatform;

class tst_About : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aboutBoxLinks();
};

void tst_About::aboutBoxLinks()
{
    FakePlatform p;
    frmAbout about(p);
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Kesto v1.55"));
    QVERIFY(about.lblHomePage->text().startsWith(QStringLiteral("Click here to visit")));
    QCOMPARE(about.lblCobrand->text(), QStringLiteral("Click here for more details"));
    about.show();
    QTest::mouseClick(about.lblHomePage, Qt::LeftButton);
    QTest::mouseClick(about.lblCobrand, Qt::LeftButton);
    QCOMPARE(p.openedAddresses.size(), 2);
    QVERIFY(p.openedAddresses[0].endsWith(QStringLiteral("page=home-page")));
    QVERIFY(p.openedAddresses[1].endsWith(QStringLiteral("page=fully-branded")));
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
