#include "fakeplatform.h"
#include "findchild.h"

#include "ui/mainwindow/frmmdi.h"
#include "ui/mainwindow/modrtbautourldetect.h"
#include "core/session/session.h"
#include "ui/shell/shell.h"
#include "testfolder.h"

#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

using namespace kesto;
using kesto::test::child;
using kesto::test::FakePlatform;

namespace {

const QString kLink = QStringLiteral("www.kesto.example/Kesto/forum");

// A reading display in its panel, as the main window holds it, with a report-like text: a
// bold heading, then a paragraph that names a web address, then plain text.
struct ReadingDisplay
{
    ReadingDisplay()
    {
        panel.setObjectName(QStringLiteral("picRight"));
        auto *layout = new QVBoxLayout(&panel);
        richText = new QTextEdit(&panel);
        richText->setObjectName(QStringLiteral("rtbDisp1"));
        layout->addWidget(richText);
        QTextCursor cursor(richText->document());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Celtic Cross"), bold);
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Talk about this reading at ") + kLink
                              + QStringLiteral(". Readers answer every day."),
                          QTextCharFormat());
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("The Tower, reversed."));
        panel.resize(600, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
    }

    // The block that holds the address, and where the address starts in it.
    QTextBlock linkBlock() const { return richText->document()->findBlockByNumber(1); }
    int linkStart() const { return int(linkBlock().text().indexOf(kLink)); }

    // The viewport point over the middle of character `offset` of the link block.
    QPoint pointAt(int offset) const
    {
        QTextCursor cursor(richText->document());
        cursor.setPosition(linkBlock().position() + offset);
        const QRect left = richText->cursorRect(cursor);
        cursor.setPosition(linkBlock().position() + offset + 1);
        const QRect right = richText->cursorRect(cursor);
        return QPoint((left.x() + right.x()) / 2, left.center().y());
    }
    QPoint overLink() const { return pointAt(linkStart() + 4); }
    QPoint overPlainText() const { return pointAt(3); }

    // The layout formats the box draws the link block with (not the document's own).
    bool drawnAsLink() const
    {
        const auto ranges = linkBlock().layout()->formats();
        for (const QTextLayout::FormatRange &range : ranges) {
            if (range.start == linkStart() && range.length == kLink.size() && range.format.fontUnderline())
                return true;
        }
        return false;
    }

    QWidget panel;
    QTextEdit *richText = nullptr;
};

} // namespace

class tst_LinkDetect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { DisableUrlDetection(); }
    void findLinks_data();
    void findLinks();
    void openableLinks_data();
    void openableLinks();
    void addressShownAsLinkTextUnchanged();
    void onlyLeftPressOpens_data();
    void onlyLeftPressOpens();
    void enableAndDisableStates();
    void destroyedBoxEndsDetection();
    void mainWindowLoadAndUnload();
};

void tst_LinkDetect::findLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("links");
    QTest::newRow("report banner") << QStringLiteral("Visit https://www.kesto.example/Kesto for more")
                                   << QStringList{QStringLiteral("https://www.kesto.example/Kesto")};
    QTest::newRow("full stop after address")
        << QStringLiteral("See www.kesto.example.") << QStringList{QStringLiteral("www.kesto.example")};
    QTest::newRow("bracket the link opened") << QStringLiteral("(see http://wiki.example/Tarot_(cards)).")
                                             << QStringList{QStringLiteral("http://wiki.example/Tarot_(cards)")};
    QTest::newRow("two links and mail") << QStringLiteral(
        "ftp://files.example/deck.zip or mailto:reader@kesto.example, WWW.Kesto.Example")
                                        << QStringList{QStringLiteral("ftp://files.example/deck.zip"),
                                                       QStringLiteral("mailto:reader@kesto.example"),
                                                       QStringLiteral("WWW.Kesto.Example")};
    QTest::newRow("prefix alone") << QStringLiteral("http:// and www. are no addresses") << QStringList{};
    QTest::newRow("inside a word") << QStringLiteral("awww.example and me@www.example") << QStringList{};
    QTest::newRow("other schemes") << QStringLiteral("file:///etc/passwd javascript:alert(1) data:text/html,x")
                                   << QStringList{};
}

void tst_LinkDetect::findLinks()
{
    QFETCH(QString, text);
    QFETCH(QStringList, links);
    QStringList found;
    for (const DetectedLink &link : FindLinks(text))
        found.append(text.mid(link.start, link.length));
    QCOMPARE(found, links);
}

void tst_LinkDetect::openableLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("openable");
    QTest::newRow("http") << QStringLiteral("http://kesto.example/") << true;
    QTest::newRow("https upper case") << QStringLiteral("HTTPS://kesto.example/") << true;
    QTest::newRow("ftp") << QStringLiteral("ftp://files.example/deck.zip") << true;
    QTest::newRow("mailto") << QStringLiteral("mailto:reader@kesto.example") << true;
    QTest::newRow("www") << QStringLiteral("www.kesto.example") << true;
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
    QTest::newRow("data") << QStringLiteral("data:text/html,<b>x</b>") << false;
    QTest::newRow("program") << QStringLiteral("/usr/bin/xterm") << false;
    QTest::newRow("blank inside") << QStringLiteral("http://kesto.example/ -e") << false;
    QTest::newRow("prefix alone") << QStringLiteral("www.") << false;
}

void tst_LinkDetect::openableLinks()
{
    QFETCH(QString, text);
    QFETCH(bool, openable);
    QCOMPARE(IsOpenableLink(text), openable);
}

void tst_LinkDetect::addressShownAsLinkTextUnchanged()
{
    FakePlatform platform;
    ReadingDisplay display;
    const QString html = display.richText->toHtml();
    QVERIFY(!display.drawnAsLink());

    EnableUrlDetection(platform, display.richText);
    QVERIFY(IsUrlDetectionOn());
    QVERIFY(display.drawnAsLink());
    // The document itself is untouched: same text, same formats, no underline stored.
    QCOMPARE(display.richText->toHtml(), html);
    QTextCursor cursor(display.richText->document());
    cursor.setPosition(display.linkBlock().position() + display.linkStart() + 1);
    QVERIFY(!cursor.charFormat().fontUnderline());

    // A line written after detection was turned on is shown as a link too.
    QTextCursor end(display.richText->document());
    end.movePosition(QTextCursor::End);
    end.insertBlock();
    end.insertText(QStringLiteral("More at http://kesto.example/more"));
    const auto ranges = display.richText->document()->lastBlock().layout()->formats();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges.first().start, 8);
    QVERIFY(ranges.first().format.fontUnderline());

    DisableUrlDetection();
    QVERIFY(!display.drawnAsLink());
    QCOMPARE(display.richText->toHtml().contains(u"More at"), true);
}

void tst_LinkDetect::onlyLeftPressOpens_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("onLink");
    QTest::addColumn<int>("opened");
    QTest::newRow("left press on link") << QStringLiteral("press-left") << true << 1;
    QTest::newRow("left click on link") << QStringLiteral("click-left") << true << 1;
    QTest::newRow("double click on link") << QStringLiteral("double-click") << true << 1;
    QTest::newRow("right press on link") << QStringLiteral("press-right") << true << 0;
    QTest::newRow("move over link") << QStringLiteral("move") << true << 0;
    QTest::newRow("left press on plain text") << QStringLiteral("press-left") << false << 0;
}

void tst_LinkDetect::onlyLeftPressOpens()
{
    QFETCH(QString, gesture);
    QFETCH(bool, onLink);
    QFETCH(int, opened);
    FakePlatform platform;
    ReadingDisplay display;
    EnableUrlDetection(platform, display.richText);
    QWidget *viewport = display.richText->viewport();
    const QPoint point = onLink ? display.overLink() : display.overPlainText();

    if (gesture == u"press-left") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
    } else if (gesture == u"click-left") {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
    } else if (gesture == u"double-click") {
        // The second press of a double click comes as a double-click event: one opening.
        QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, point);
    } else if (gesture == u"press-right") {
        QTest::mousePress(viewport, Qt::RightButton, {}, point);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, point);
    } else if (gesture == u"move") {
        QTest::mouseMove(viewport, point);
        QTest::mouseMove(viewport, point + QPoint(2, 0));
    }

    QCOMPARE(platform.openedAddresses, QStringList(opened, kLink));
}

void tst_LinkDetect::enableAndDisableStates()
{
    FakePlatform platform;
    ReadingDisplay first;
    ReadingDisplay second;

    DisableUrlDetection(); // while off: nothing happens
    QVERIFY(!IsUrlDetectionOn());

    EnableUrlDetection(platform, first.richText);
    // A second enable while on does nothing, even for another box.
    EnableUrlDetection(platform, second.richText);
    QVERIFY(first.drawnAsLink());
    QVERIFY(!second.drawnAsLink());
    QTest::mouseClick(second.richText->viewport(), Qt::LeftButton, {}, second.overLink());
    QVERIFY(platform.openedAddresses.isEmpty());
    QTest::mouseClick(first.richText->viewport(), Qt::LeftButton, {}, first.overLink());
    QCOMPARE(platform.openedAddresses, QStringList{kLink});

    DisableUrlDetection();
    DisableUrlDetection();
    QVERIFY(!IsUrlDetectionOn());
    QTest::mouseClick(first.richText->viewport(), Qt::LeftButton, {}, first.overLink());
    QCOMPARE(platform.openedAddresses.size(), 1);

    // Once off, the next enable serves the box it is given.
    EnableUrlDetection(platform, second.richText);
    QVERIFY(second.drawnAsLink());
    QVERIFY(!first.drawnAsLink());
    QTest::mouseClick(second.richText->viewport(), Qt::LeftButton, {}, second.overLink());
    QCOMPARE(platform.openedAddresses.size(), 2);
}

// A main window that goes away without turning detection off must not leave it stuck on
// for the next one.
void tst_LinkDetect::destroyedBoxEndsDetection()
{
    FakePlatform platform;
    auto first = std::make_unique<ReadingDisplay>();
    EnableUrlDetection(platform, first->richText);
    first.reset();
    QVERIFY(!IsUrlDetectionOn());
    ReadingDisplay second;
    EnableUrlDetection(platform, second.richText);
    QVERIFY(second.drawnAsLink());
}

// The main window turns detection on for its reading display when it loads and off when it
// closes; after Start Again the new window's display is served.
void tst_LinkDetect::mainWindowLoadAndUnload()
{
    FakePlatform platform;
    kesto::test::TestFolder folder;
    platform.folder = folder.path();
    Session session(platform);
    Shell shell(session);

    QPointer<frmMDI> frame = shell.mainWindow();
    QVERIFY(IsUrlDetectionOn());
    frame->applyReadingArrangement();
    frame->showFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    QTextEdit *display = frame->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"));
    display->setPlainText(QStringLiteral("Share this reading at http://kesto.example/share"));
    QTextCursor cursor(display->document());
    cursor.setPosition(int(display->toPlainText().indexOf(u"kesto")));
    QTest::mouseClick(display->viewport(), Qt::LeftButton, {}, display->cursorRect(cursor).center() + QPoint(2, 0));
    QCOMPARE(platform.openedAddresses, QStringList{QStringLiteral("http://kesto.example/share")});

    QTest::mouseClick(child<QPushButton>(frame, "cmdRestart"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frame);
    QVERIFY(!IsUrlDetectionOn());

    frmMDI *next = shell.mainWindow();
    QVERIFY(IsUrlDetectionOn());
    next->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))->setPlainText(QStringLiteral("www.kesto.example"));
    QVERIFY(!next->findChild<QTextEdit *>(QStringLiteral("rtbDisp1"))
                 ->document()
                 ->firstBlock()
                 .layout()
                 ->formats()
                 .isEmpty());
}

QTEST_MAIN(tst_LinkDetect)
#include "tst_linkdetect.moc"
