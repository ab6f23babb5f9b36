// The querent details screen, driven as a user drives it: typing into the filtered boxes,
// the date boxes, Next, Reset, Back, Exit and the page links.
#include "ui/mainwindow/frmmdi.h"
#include "findchild.h"
#include "appfixture.h"
#include "ui/screens/frmfront.h"
#include "ui/screens/frmtarot.h"
#include "ui/shell/frmopen.h"
#include "ui/shell/shell.h"
#include "testfolder.h"
#include "core/online/modhelp.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace kesto;
using namespace kesto::test;

namespace {

const QString kNameMessage = QStringLiteral("Name cannot contain Numbers and Special Characters");
const QString kCountryMessage = QStringLiteral("Country cannot contain Numbers and Special Characters");

struct Fixture : AppFixture
{
    Fixture() { session.reading.readingMode = FlagTrue; }

    frmFront *openScreen()
    {
        shell.openQuerentScreen();
        frmFront *front = shell.querentScreen();
        QApplication::setActiveWindow(front);
        [&] { QVERIFY(QTest::qWaitForWindowActive(front)); }();
        return front;
    }
};

// Types into a combo box's own text as a user does: everything selected, then the keys.
void typeInto(QComboBox *combo, const QString &text)
{
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), text);
}

} // namespace

class TestQuerent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { f = std::make_unique<Fixture>(); }
    void cleanup()
    {
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void tabOrder();
    void keyFilter_data();
    void keyFilter();
    void everyTypingRouteIsFiltered();
    void editingKeysPass_data();
    void editingKeysPass();
    void rejectedKeyPutsFocusBack();
    void pasteShortcutIsDiscarded();
    void nextStoresValues_data();
    void nextStoresValues();
    void nextOpensSpreadScreenAndMainWindow_data();
    void nextOpensSpreadScreenAndMainWindow();
    void resetClearsBoxesOnly();
    void backReturnsToModeScreen_data();
    void backReturnsToModeScreen();
    void exitEndsProgram_data();
    void exitEndsProgram();
    void pageLinks_data();
    void pageLinks();

private:
    std::unique_ptr<Fixture> f;
};

void TestQuerent::tabOrder()
{
    frmFront *front = f->openScreen();
    QVERIFY(front->txtName->hasFocus());
    QStringList order{front->txtName->objectName()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order,
             (QStringList{QStringLiteral("txtName"), QStringLiteral("cmbMonth"), QStringLiteral("cmbDate"),
                          QStringLiteral("cmbYear"), QStringLiteral("txtCountry"), QStringLiteral("txtQuestion"),
                          QStringLiteral("cmdNext"), QStringLiteral("cmdReset"), QStringLiteral("cmdCancel"),
                          QStringLiteral("cmdBack")}));
    QVERIFY(f->platform.messages.isEmpty());
}

void TestQuerent::keyFilter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("apostrophe in a name") << QStringLiteral("txtName") << QStringLiteral("O'Brien")
                                          << QStringLiteral("OBrien") << QStringList{kNameMessage};
    QTest::newRow("letters and blanks") << QStringLiteral("txtName") << QStringLiteral("Ann Marie Lee")
                                        << QStringLiteral("Ann Marie Lee") << QStringList{};
    QTest::newRow("digits in a name") << QStringLiteral("txtName") << QStringLiteral("R2D2") << QStringLiteral("RD")
                                      << QStringList{kNameMessage, kNameMessage};
    QTest::newRow("digit in a country") << QStringLiteral("txtCountry") << QStringLiteral("Peru1")
                                        << QStringLiteral("Peru") << QStringList{kCountryMessage};
    QTest::newRow("hyphen in a country") << QStringLiteral("txtCountry") << QStringLiteral("Timor-Leste")
                                         << QStringLiteral("TimorLeste") << QStringList{kCountryMessage};
    QTest::newRow("accented letter") << QStringLiteral("txtCountry") << QStringLiteral("Per\u00fa")
                                     << QStringLiteral("Per") << QStringList{kCountryMessage};
    QTest::newRow("question takes anything")
        << QStringLiteral("txtQuestion") << QStringLiteral("Will 2027 be good? (50% sure) O'Neil's")
        << QStringLiteral("Will 2027 be good? (50% sure) O'Neil's") << QStringList{};
}

void TestQuerent::keyFilter()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QStringList, messages);

    frmFront *front = f->openScreen();
    QWidget *target = front->findChild<QWidget *>(box);
    QVERIFY(target);
    for (QChar c : typed) {
        // Characters outside ASCII arrive as text without a key code of their own.
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    if (auto *line = qobject_cast<QLineEdit *>(target))
        QCOMPARE(line->text(), expected);
    else
        QCOMPARE(qobject_cast<QPlainTextEdit *>(target)->toPlainText(), expected);
    QCOMPARE(f->platform.messageTexts(), messages);
    for (const auto &m : f->platform.messages)
        QCOMPARE(m.icon, MessageIcon::Information);
}

void TestQuerent::everyTypingRouteIsFiltered()
{
    frmFront *front = f->openScreen();
    QLineEdit *name = front->txtName;
    name->setFocus();
    // Keys typed with Alt, Meta or AltGr held still type their text.
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_2, QStringLiteral("2"), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_2, QStringLiteral("@"), Qt::MetaModifier);
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_A, QStringLiteral("a"), Qt::AltModifier);
    QCOMPARE(f->platform.messageTexts(), (QStringList{kNameMessage, kNameMessage}));

    // Text committed by an input method or a compose sequence.
    auto commit = [](QWidget *box, const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(box, &event);
    };
    commit(name, QStringLiteral("\u00e97!"));
    commit(name, QStringLiteral("Bo"));
    commit(front->txtCountry, QStringLiteral("\u00e9"));
    QCOMPARE(name->text(), QStringLiteral("aBo"));
    QCOMPARE(front->txtCountry->text(), QString());
    QCOMPARE(f->platform.messageTexts(), (QStringList{kNameMessage, kNameMessage, kNameMessage, kCountryMessage}));
}

void TestQuerent::editingKeysPass_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("name") << QStringLiteral("txtName");
    QTest::newRow("country") << QStringLiteral("txtCountry");
}

void TestQuerent::editingKeysPass()
{
    QFETCH(QString, box);
    frmFront *front = f->openScreen();
    auto *line = front->findChild<QLineEdit *>(box);
    QTest::keyClicks(line, QStringLiteral("Annax"));
    QTest::keyClick(line, Qt::Key_Backspace);
    QTest::keyClick(line, Qt::Key_Home);
    QTest::keyClick(line, Qt::Key_Delete);
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClick(line, Qt::Key_Left);
    QTest::keyClick(line, Qt::Key_Space);
    QCOMPARE(line->text(), QStringLiteral("nn a"));
    QVERIFY(f->platform.messages.isEmpty());

    // Enter types a character (13) and is refused like any other.
    QTest::keyClick(line, Qt::Key_Return);
    QCOMPARE(f->platform.messages.size(), 1);
    QCOMPARE(line->text(), QStringLiteral("nn a"));
}

void TestQuerent::rejectedKeyPutsFocusBack()
{
    frmFront *front = f->openScreen();
    // The message box takes the focus while it is shown.
    f->platform.onMessage = [front](const FakePlatform::Message &) { front->cmdNext->setFocus(); };
    front->txtCountry->setFocus();
    QTest::keyClick(front->txtCountry, '7');
    QCOMPARE(f->platform.messageTexts(), QStringList{kCountryMessage});
    QVERIFY(front->txtCountry->hasFocus());
    QCOMPARE(front->txtCountry->text(), QString());
}

void TestQuerent::pasteShortcutIsDiscarded()
{
    frmFront *front = f->openScreen();
    QGuiApplication::clipboard()->setText(QStringLiteral("12 Main St"));
    QTest::keyClicks(front->txtName, QStringLiteral("Ann"));
    QTest::keyClick(front->txtName, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(front->txtName->text(), QStringLiteral("Ann"));
    QCOMPARE(f->platform.messageTexts(), QStringList{kNameMessage});
}

void TestQuerent::nextStoresValues_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("dob");

    QTest::newRow("untouched") << QString() << QString() << QString() << QStringLiteral("January 1, 1980");
    QTest::newRow("picked") << QStringLiteral("March") << QStringLiteral("7") << QStringLiteral("1975")
                            << QStringLiteral("March 7, 1975");
    QTest::newRow("all three words") << QStringLiteral("Month") << QStringLiteral("Date") << QStringLiteral("Year")
                                     << QString();
    QTest::newRow("two of three words") << QStringLiteral("Month") << QString() << QStringLiteral("Year")
                                        << QStringLiteral("Month 1, Year");
    QTest::newRow("words in lower case") << QStringLiteral("month") << QStringLiteral("date") << QStringLiteral("year")
                                         << QStringLiteral("month date, year");
    QTest::newRow("free text") << QStringLiteral("Spring") << QStringLiteral("40") << QStringLiteral("75")
                               << QStringLiteral("Spring 40, 75");
}

void TestQuerent::nextStoresValues()
{
    QFETCH(QString, month);
    QFETCH(QString, date);
    QFETCH(QString, year);
    QFETCH(QString, dob);

    frmFront *front = f->openScreen();
    QCOMPARE(front->cmbDate->count(), 31);
    QCOMPARE(front->cmbMonth->count(), 12);
    QCOMPARE(front->cmbYear->count(), 151);
    QCOMPARE(front->cmbYear->itemText(150), QStringLiteral("2050"));

    QTest::keyClicks(front->txtName, QStringLiteral(" Ann "));
    QTest::keyClicks(front->txtCountry, QStringLiteral("Peru  "));
    QTest::keyClicks(front->txtQuestion, QStringLiteral("  Why? "));
    if (!month.isEmpty())
        typeInto(front->cmbMonth, month);
    if (!date.isEmpty())
        typeInto(front->cmbDate, date);
    if (!year.isEmpty())
        typeInto(front->cmbYear, year);
    QTest::mouseClick(front->cmdNext, Qt::LeftButton);

    const CurrentReading &r = f->session.reading;
    QCOMPARE(r.strName, QStringLiteral(" Ann "));
    QCOMPARE(r.strCountry, QStringLiteral("Peru  "));
    QCOMPARE(r.strQ, QStringLiteral("  Why? "));
    QCOMPARE(r.strMonth, month.isEmpty() ? QStringLiteral("January") : month);
    QCOMPARE(r.strDate, date.isEmpty() ? QStringLiteral("1") : date);
    QCOMPARE(r.strYear, year.isEmpty() ? QStringLiteral("1980") : year);
    QCOMPARE(r.strDOB, dob);
    QVERIFY(f->platform.messages.isEmpty());
}

void TestQuerent::nextOpensSpreadScreenAndMainWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("next button") << QStringLiteral("cmdNext");
    QTest::newRow("file next") << QStringLiteral("mnuNext");
}

void TestQuerent::nextOpensSpreadScreenAndMainWindow()
{
    QFETCH(QString, how);
    QPointer<frmFront> front = f->openScreen();
    // Nothing typed at all: an empty querent is accepted.
    if (auto *button = front->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        front->findChild<QAction *>(how)->trigger();

    QVERIFY(!front || !front->isVisible());
    QCOMPARE(f->platform.endCount, 0);
    QVERIFY(f->shell.spreadScreen()->isVisible());
    frmMDI *frame = f->shell.existingMainWindow();
    QVERIFY(frame);
    QVERIFY(!frame->isVisible()); // it comes on screen with its first child window
    QVERIFY(child<QWidget>(frame, "picTop")->isVisibleTo(frame));
    QVERIFY(child<QWidget>(frame, "picRight")->isVisibleTo(frame));
    QVERIFY(!child<QToolBar>(frame, "TB")->isVisibleTo(frame));
    QVERIFY(!child<QWidget>(frame, "picTop2")->isVisibleTo(frame));
    QVERIFY(!child<QWidget>(frame, "picLeft")->isVisibleTo(frame));
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtName"))->text(), QString());
    QCOMPARE(frame->findChild<QLineEdit *>(QStringLiteral("txtDOB"))->text(), QStringLiteral("January 1, 1980"));
}

void TestQuerent::resetClearsBoxesOnly()
{
    f->session.reading.strName = QStringLiteral("Earlier");
    frmFront *front = f->openScreen();
    QTest::keyClicks(front->txtName, QStringLiteral("Ann"));
    QTest::keyClicks(front->txtCountry, QStringLiteral("Peru"));
    QTest::keyClicks(front->txtQuestion, QStringLiteral("Why?"));
    typeInto(front->cmbMonth, QStringLiteral("Month"));
    front->cmbDate->setCurrentIndex(20);
    front->cmbYear->setCurrentIndex(3);
    front->cmdNext->setFocus();

    QTest::mouseClick(front->cmdReset, Qt::LeftButton);
    QCOMPARE(front->txtName->text(), QString());
    QCOMPARE(front->txtCountry->text(), QString());
    QCOMPARE(front->txtQuestion->toPlainText(), QString());
    QCOMPARE(front->cmbMonth->currentText(), QStringLiteral("January"));
    QCOMPARE(front->cmbDate->currentText(), QStringLiteral("1"));
    QCOMPARE(front->cmbYear->currentText(), QStringLiteral("1980"));
    QVERIFY(front->txtName->hasFocus());
    QCOMPARE(f->session.reading.strName, QStringLiteral("Earlier"));
    QVERIFY(front->isVisible());
}

void TestQuerent::backReturnsToModeScreen_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("back button") << QStringLiteral("cmdBack");
    QTest::newRow("file back") << QStringLiteral("mnuBack");
}

void TestQuerent::backReturnsToModeScreen()
{
    QFETCH(QString, how);
    QPointer<frmFront> front = f->openScreen();
    if (auto *button = front->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        front->findChild<QAction *>(how)->trigger();
    QVERIFY(!front || !front->isVisible());
    QVERIFY(f->shell.modeScreen()->isVisible());
    QCOMPARE(f->platform.endCount, 0);
    QVERIFY(!f->shell.existingMainWindow());
}

void TestQuerent::exitEndsProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("exit button") << QStringLiteral("cmdCancel");
    QTest::newRow("file exit") << QStringLiteral("mnuExit");
    QTest::newRow("close box") << QString();
}

void TestQuerent::exitEndsProgram()
{
    QFETCH(QString, how);
    frmFront *front = f->openScreen();
    if (how.isEmpty())
        front->close();
    else if (auto *button = front->findChild<QPushButton *>(how))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        front->findChild<QAction *>(how)->trigger();
    QCOMPARE(f->platform.endCount, 1);
    QVERIFY(!front->isVisible());
}

void TestQuerent::pageLinks_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pageKey");

    QTest::newRow("forum label") << QStringLiteral("Label6") << QString::fromUtf16(page::home);
    QTest::newRow("branding label") << QStringLiteral("lblFullBrand") << QString::fromUtf16(page::fullyBranded);
    QTest::newRow("co-branding label") << QStringLiteral("lblCobrand") << QString::fromUtf16(page::coBrand);
    QTest::newRow("online help") << QStringLiteral("mnuOnline") << QString::fromUtf16(page::help);
    QTest::newRow("visit us") << QStringLiteral("mnuVisit") << QString::fromUtf16(page::home);
    QTest::newRow("software update") << QStringLiteral("mnuUpdate") << QString::fromUtf16(page::download);
    QTest::newRow("donate") << QStringLiteral("mnuDonate") << QString::fromUtf16(page::donate);
    QTest::newRow("make money") << QStringLiteral("mnuMakeMoney") << QString::fromUtf16(page::fullyBranded);
}

void TestQuerent::pageLinks()
{
    QFETCH(QString, control);
    QFETCH(QString, pageKey);
    frmFront *front = f->openScreen();
    if (auto *label = front->findChild<QLabel *>(control))
        QTest::mouseClick(label, Qt::LeftButton);
    else
        front->findChild<QAction *>(control)->trigger();
    QCOMPARE(f->platform.openedAddresses, QStringList{MakerPageAddress(pageKey)});
    QVERIFY(front->isVisible());
}

QTEST_MAIN(TestQuerent)
#include "tst_querent.moc"
