// The maker's menus as each screen words them: captions, order, object names, and the page
// or box each entry opens.
#include "ui/widgets/makermenus.h"
#include "fakeplatform.h"
#include "core/online/modhelp.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace kesto;
using namespace kesto::test;

Q_DECLARE_METATYPE(kesto::MakerMenuWording)

class tst_MakerMenus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void captions_data();
    void captions();
    void entriesOpenTheirPages();
};

void tst_MakerMenus::captions_data()
{
    QTest::addColumn<MakerMenuWording>("wording");
    QTest::addColumn<QStringList>("bar");
    QTest::addColumn<QStringList>("help");

    const QStringList usualHelp{QStringLiteral("&Online Help"),
                                QStringLiteral("&Visit Us Online"),
                                QStringLiteral("-"),
                                QStringLiteral("Check for Software &Update"),
                                QStringLiteral("-"),
                                QStringLiteral("&About Software")};
    QTest::newRow("spread, card pick") << MakerMenuWording::Standard
                                       << QStringList{QStringLiteral("File"), QStringLiteral("&Help"),
                                                      QStringLiteral("Donate"), QStringLiteral("Make Money &Online")}
                                       << usualHelp;
    QTest::newRow("querent") << MakerMenuWording::Querent
                             << QStringList{QStringLiteral("File"), QStringLiteral("Help"), QStringLiteral("Donate"),
                                            QStringLiteral("Make Money &Online")}
                             << QStringList{QStringLiteral("Onine &Help"), QStringLiteral("Visit Us &Online"),
                                            QStringLiteral("-"),           QStringLiteral("Check For Software Update"),
                                            QStringLiteral("-"),           QStringLiteral("About &Software")};
    QTest::newRow("main window") << MakerMenuWording::MainWindow
                                 << QStringList{QStringLiteral("File"), QStringLiteral("&Help"),
                                                QStringLiteral("&Donate"), QStringLiteral("Make Money &Online")}
                                 << usualHelp;
}

void tst_MakerMenus::captions()
{
    QFETCH(MakerMenuWording, wording);
    QFETCH(QStringList, bar);
    QFETCH(QStringList, help);

    FakePlatform platform;
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    QMenu *menu = addMakerMenus(&window, wording, platform, [] {});

    QCOMPARE(menu->objectName(), QStringLiteral("mnuHelp"));
    QStringList barTexts;
    for (QAction *a : window.menuBar()->actions())
        barTexts.append(a->text());
    QCOMPARE(barTexts, bar);
    QStringList helpTexts;
    for (QAction *a : menu->actions())
        helpTexts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(helpTexts, help);

    QStringList names;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator())
            names.append(a->objectName());
    }
    QCOMPARE(names,
             (QStringList{QStringLiteral("mnuOnline"), QStringLiteral("mnuVisit"), QStringLiteral("mnuUpdate"),
                          QStringLiteral("mnuAbout")}));
    const QList<QAction *> barActions = window.menuBar()->actions();
    QCOMPARE(barActions.at(2)->objectName(), QStringLiteral("mnuDonate"));
    QCOMPARE(barActions.at(3)->objectName(), QStringLiteral("mnuMakeMoney"));
}

void tst_MakerMenus::entriesOpenTheirPages()
{
    FakePlatform platform;
    QMainWindow window;
    int aboutShown = 0;
    addMakerMenus(&window, MakerMenuWording::Standard, platform, [&aboutShown] { ++aboutShown; });

    const struct
    {
        const char *name;
        const char16_t *page;
    } pages[] = {{"mnuOnline", page::help},
                 {"mnuVisit", page::home},
                 {"mnuUpdate", page::download},
                 {"mnuDonate", page::donate},
                 {"mnuMakeMoney", page::fullyBranded}};
    QStringList expected;
    for (const auto &entry : pages) {
        auto *action = window.findChild<QAction *>(QString::fromLatin1(entry.name));
        QVERIFY2(action, entry.name);
        action->trigger();
        expected.append(MakerPageAddress(entry.page));
    }
    QCOMPARE(platform.openedAddresses, expected);
    QCOMPARE(aboutShown, 0);

    window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    QCOMPARE(aboutShown, 1);
    QCOMPARE(platform.openedAddresses.size(), expected.size());
}

QTEST_MAIN(tst_MakerMenus)
#include "tst_makermenus.moc"
