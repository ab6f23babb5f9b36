#include "dialogs/cdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace kesto;

namespace {

// Runs `act` on the dialog of type D once it is up (the CDLG call blocks in exec()).
template<class D>
void whenShown(std::function<void(D *)> act)
{
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [act, attempt] {
        if (auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget())) {
            act(dialog);
            return;
        }
        QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
}

struct RecordingSink : EventSink
{
    QStringList events;
    QList<QWidget *> dialogs;
    int refuseOk = 0; // how many OK presses to refuse
    void note(const char *e, QWidget *d)
    {
        if (events.isEmpty() || events.last() != QLatin1String(e))
            events << QString::fromLatin1(e);
        dialogs << d;
    }
    void InitDialog(QWidget *d) override { note("InitDialog", d); }
    void FileChange(QWidget *d) override { note("FileChange", d); }
    void FolderChange(QWidget *d) override { note("FolderChange", d); }
    void TypeChange(QWidget *d) override { note("TypeChange", d); }
    bool ConfirmOK(QWidget *d) override
    {
        note("ConfirmOK", d);
        if (refuseOk > 0) {
            --refuseOk;
            return false;
        }
        return true;
    }
    void DialogClose(QWidget *d) override { note("DialogClose", d); }
};

struct Files
{
    QTemporaryDir dir;
    Files()
    {
        for (const char *name : {"a.txt", "b.txt", "c.dat"}) {
            QFile f(dir.filePath(QString::fromLatin1(name)));
            f.open(QIODevice::WriteOnly);
            f.write("x");
        }
        dir.path();
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

class tst_CDLG : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filterConversion_data();
    void filterConversion();
    void openAcceptWritesBack();
    void openCancelClearsOutputs();
    void openMultiSelect();
    void openRefusesOverlongNames();
    void confirmOkFalseKeepsDialogOpen();
    void sinkSeesFolderAndTypeChanges();
    void saveAddsDefaultExtension();
    void fileTitle_data();
    void fileTitle();
    void customColorBounds_data();
    void customColorBounds();
    void chooseColor();
    void chooseFontKeepsSizeInLimits();
    void fontLimitsOutOfOrderFail();
    void pageSetupMargins();
    void printDialogCancel();
    void ownerHandles();
};

void tst_CDLG::filterConversion_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("qt");
    QTest::newRow("default") << QString() << QStringList{QStringLiteral("All (*.*)")};
    QTest::newRow("default spelled out") << QStringLiteral("All (*.*)| *.*")
                                         << QStringList{QStringLiteral("All (*.*)")};
    QTest::newRow("pipes") << QStringLiteral("Text|*.txt|All files|*.*")
                           << QStringList{QStringLiteral("Text (*.txt)"), QStringLiteral("All files (*.*)")};
    QTest::newRow("colons") << QStringLiteral("Dictionaries:*.dll;*.db")
                            << QStringList{QStringLiteral("Dictionaries (*.dll *.db)")};
    QTest::newRow("mixed") << QStringLiteral("Pictures:*.jpg|Any|*")
                           << QStringList{QStringLiteral("Pictures (*.jpg)"), QStringLiteral("Any (*)")};
    QTest::newRow("dangling description")
        << QStringLiteral("Text|*.txt|Orphan") << QStringList{QStringLiteral("Text (*.txt)")};
}

void tst_CDLG::filterConversion()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, qt);
    QCOMPARE(CDLG::ToQtFilters(filter), qt);
}

void tst_CDLG::openAcceptWritesBack()
{
    Files files;
    CDLG d;
    RecordingSink sink;
    QString name, title, filter = QStringLiteral("Text|*.txt|All|*.*");
    qint32 index = 1;
    qint32 flags = 0x60 | 0x8; // hook and template bits from the caller are dropped
    bool readOnly = false;
    QWidget *seen = nullptr;
    whenShown<QFileDialog>([&](QFileDialog *dlg) {
        seen = dlg;
        dlg->selectFile(files.path("a.txt"));
        Q_EMIT dlg->currentChanged(files.path("a.txt")); // what the view emits as the user highlights it
        if (auto *box = dlg->findChild<QCheckBox *>(QStringLiteral("chkReadOnly")))
            box->setChecked(true);
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBGetOpenFileName(name, title, true, false, readOnly, false, filter, index, files.dir.path(),
                                QStringLiteral("Open"), QString(), -1, flags, true, &sink));
    QCOMPARE(QFileInfo(name).canonicalFilePath(), QFileInfo(files.path("a.txt")).canonicalFilePath());
    QCOMPARE(title, QStringLiteral("a.txt"));
    QCOMPARE(index, 1);
    QVERIFY(readOnly);
    QCOMPARE(flags, 0x8 | cdlg::FileMustExistFlag | cdlg::ReadOnlyFlag | cdlg::EnableHookFlag);
    QCOMPARE(d.APIReturn(), cdlg::ReturnOk);
    QCOMPARE(d.ExtendedError(), 0);
    QCOMPARE(sink.events.first(), QStringLiteral("InitDialog"));
    QVERIFY(sink.events.contains(QStringLiteral("FileChange")));
    QCOMPARE(sink.events.mid(sink.events.size() - 2),
             (QStringList{QStringLiteral("ConfirmOK"), QStringLiteral("DialogClose")}));
    for (QWidget *w : sink.dialogs)
        QCOMPARE(w, seen);
}

void tst_CDLG::openCancelClearsOutputs()
{
    Files files;
    CDLG d;
    QString name = files.path("a.txt"), title = QStringLiteral("a.txt"), filter = QStringLiteral("Text|*.txt");
    qint32 index = 1, flags = 0x200;
    bool readOnly = true;
    whenShown<QFileDialog>([](QFileDialog *dlg) { static_cast<QDialog *>(dlg)->reject(); });
    QVERIFY(!d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, files.dir.path(), QString(),
                                 QString(), -1, flags));
    QVERIFY(name.isEmpty() && title.isEmpty() && filter.isEmpty());
    QCOMPARE(flags, 0);
    QCOMPARE(index, -1);
    QCOMPARE(d.APIReturn(), cdlg::ReturnCancel);
    QCOMPARE(d.ExtendedError(), 0);
}

void tst_CDLG::openMultiSelect()
{
    Files files;
    CDLG d;
    QString name, title, filter = QStringLiteral("Text|*.txt");
    qint32 index = 1, flags = 0;
    bool readOnly = false;
    whenShown<QFileDialog>([&](QFileDialog *dlg) {
        dlg->selectFile(QStringLiteral("\"a.txt\" \"b.txt\""));
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBGetOpenFileName(name, title, true, true, readOnly, true, filter, index, files.dir.path(), QString(),
                                QString(), -1, flags));
    const QStringList parts = name.split(QChar(0));
    QCOMPARE(parts.size(), 3);
    QCOMPARE(QDir(parts[0]).canonicalPath(), QDir(files.dir.path()).canonicalPath());
    QCOMPARE(QStringList(parts.mid(1)), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    QCOMPARE(flags & (cdlg::AllowMultiSelectFlag | cdlg::HideReadOnlyFlag),
             cdlg::AllowMultiSelectFlag | cdlg::HideReadOnlyFlag);
}

void tst_CDLG::openRefusesOverlongNames()
{
    CDLG d;
    QString name(300, QLatin1Char('x')), title, filter;
    qint32 index = 1, flags = 0;
    bool readOnly = false;
    QVERIFY(!d.VBGetOpenFileName(name, title, false, false, readOnly, false, filter, index, QString(), QString(),
                                 QString(), -1, flags));
    QCOMPARE(d.ExtendedError(), cdlg::ErrorBufferTooSmall);
    QVERIFY(d.APIReturn() != cdlg::ReturnOk && d.APIReturn() != cdlg::ReturnCancel);
    QCOMPARE(name.size(), 300); // nothing truncated behind the caller's back
}

void tst_CDLG::confirmOkFalseKeepsDialogOpen()
{
    Files files;
    CDLG d;
    RecordingSink sink;
    sink.refuseOk = 1;
    QString name, title, filter;
    qint32 index = 1, flags = 0;
    bool readOnly = false, stillOpenAfterRefusal = false;
    whenShown<QFileDialog>([&](QFileDialog *dlg) {
        dlg->selectFile(files.path("c.dat"));
        static_cast<QDialog *>(dlg)->accept();
        stillOpenAfterRefusal = dlg->isVisible();
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBGetOpenFileName(name, title, true, false, readOnly, true, filter, index, files.dir.path(), QString(),
                                QString(), -1, flags, true, &sink));
    QVERIFY(stillOpenAfterRefusal);
    QCOMPARE(sink.events.count(QStringLiteral("ConfirmOK")), 1); // consecutive notes fold into one
    QCOMPARE(title, QStringLiteral("c.dat"));
    QCOMPARE(filter, CDLG::DefaultFilter());
}

void tst_CDLG::sinkSeesFolderAndTypeChanges()
{
    Files files;
    CDLG d;
    RecordingSink sink;
    QString name, title, filter = QStringLiteral("Text|*.txt|Data|*.dat");
    qint32 index = 1, flags = 0;
    bool readOnly = false;
    whenShown<QFileDialog>([&](QFileDialog *dlg) {
        dlg->setDirectory(files.path("sub"));
        Q_EMIT dlg->directoryEntered(files.path("sub")); // what the view emits when the user opens a folder
        auto *combo = dlg->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(combo);
        combo->setCurrentIndex(1);
        Q_EMIT combo->textActivated(combo->currentText()); // the user picks the second type
        dlg->setDirectory(files.dir.path());
        dlg->selectFile(files.path("c.dat"));
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBGetOpenFileName(name, title, true, false, readOnly, true, filter, index, files.dir.path(), QString(),
                                QString(), -1, flags, true, &sink));
    QVERIFY(sink.events.contains(QStringLiteral("FolderChange")));
    QVERIFY(sink.events.contains(QStringLiteral("TypeChange")));
    QCOMPARE(index, 2);
    // Without Hook the sink hears nothing.
    RecordingSink quiet;
    whenShown<QFileDialog>([](QFileDialog *dlg) { static_cast<QDialog *>(dlg)->reject(); });
    d.VBGetOpenFileName(name, title, true, false, readOnly, true, filter, index, files.dir.path(), QString(), QString(),
                        -1, flags, false, &quiet);
    QVERIFY(quiet.events.isEmpty());
}

void tst_CDLG::saveAddsDefaultExtension()
{
    Files files;
    CDLG d;
    QString name, title, filter = QStringLiteral("Text|*.txt");
    qint32 index = 1, flags = 0;
    whenShown<QFileDialog>([&](QFileDialog *dlg) {
        dlg->selectFile(files.path("report"));
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBGetSaveFileName(name, title, true, filter, index, files.dir.path(), QStringLiteral("Save"),
                                QStringLiteral("txt"), -1, flags));
    QCOMPARE(title, QStringLiteral("report.txt"));
    QCOMPARE(flags, cdlg::OverwritePromptFlag);
}

void tst_CDLG::fileTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("unix") << QStringLiteral("/opt/kesto/tarot.dll") << QStringLiteral("tarot.dll");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Kesto\\tarot.dll") << QStringLiteral("tarot.dll");
    QTest::newRow("bare") << QStringLiteral("tarot.dll") << QStringLiteral("tarot.dll");
    QTest::newRow("folder") << QStringLiteral("/opt/kesto/") << QString();
}

void tst_CDLG::fileTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    CDLG d;
    QCOMPARE(d.VBGetFileTitle(path), title);
}

void tst_CDLG::customColorBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("valid");
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0") << 0 << true;
    QTest::newRow("15") << 15 << true;
    QTest::newRow("16") << 16 << false;
}

void tst_CDLG::customColorBounds()
{
    QFETCH(int, index);
    QFETCH(bool, valid);
    CDLG d;
    QCOMPARE(d.SetCustomColor(index, 0x123456), valid);
    QCOMPARE(d.CustomColor(index), valid ? 0x123456 : -1);
    QCOMPARE(d.ExtendedError(), valid ? 0 : cdlg::ErrorInvalidIndex);
}

void tst_CDLG::chooseColor()
{
    CDLG d;
    d.SetCustomColor(3, 0x00FF00);
    qint32 color = 0x0000FF, flags = 0;
    QColor initial, customSeen;
    whenShown<QColorDialog>([&](QColorDialog *dlg) {
        initial = dlg->currentColor();
        customSeen = QColorDialog::customColor(3);
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        dlg->setCurrentColor(QColor(0x10, 0x20, 0x30));
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBChooseColor(color, true, true, false, -1, flags));
    QCOMPARE(initial, QColor(255, 0, 0)); // 0x0000FF is red in the BGR layout
    QCOMPARE(customSeen, QColor(0, 255, 0));
    QCOMPARE(color, 0x302010);
    QCOMPARE(d.CustomColor(5), 0x030201);
    QCOMPARE(flags, cdlg::RgbInitFlag | cdlg::AnyColorFlag | cdlg::FullOpenFlag);

    whenShown<QColorDialog>([](QColorDialog *dlg) { static_cast<QDialog *>(dlg)->reject(); });
    QVERIFY(!d.VBChooseColor(color, false, false, false, -1, flags));
    QCOMPARE(color, 0);
    QCOMPARE(flags, 0);
    QCOMPARE(d.APIReturn(), cdlg::ReturnCancel);
}

void tst_CDLG::chooseFontKeepsSizeInLimits()
{
    CDLG d;
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    qint32 color = 0x0000FF, flags = 0;
    whenShown<QFontDialog>([](QFontDialog *dlg) {
        QFont big(QStringLiteral("DejaVu Sans"), 48);
        dlg->setCurrentFont(big);
        static_cast<QDialog *>(dlg)->accept();
    });
    QVERIFY(d.VBChooseFont(font, nullptr, -1, color, 8, 24, flags));
    QCOMPARE(font.pointSize(), 24);
    QCOMPARE(color, 0x0000FF);
    QVERIFY(flags & cdlg::FontLimitSizeFlag);
}

void tst_CDLG::fontLimitsOutOfOrderFail()
{
    CDLG d;
    QFont font;
    qint32 color = 0, flags = 0;
    QVERIFY(!d.VBChooseFont(font, nullptr, -1, color, 30, 10, flags));
    QCOMPARE(d.ExtendedError(), cdlg::ErrorFontMaxLessThanMin);
}

void tst_CDLG::pageSetupMargins()
{
    CDLG d;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    qint32 left = 1000, right = 750, top = 500, bottom = 1250; // thousandths of an inch
    qint32 paper = 9, orientation = 2, quality = 0, flags = 0; // A4, landscape
    whenShown<QPageSetupDialog>([](QPageSetupDialog *dlg) { static_cast<QDialog *>(dlg)->accept(); });
    QVERIFY(d.VBPageSetupDlg(-1, false, false, false, false, left, 0, right, 0, top, 0, bottom, 0, paper, orientation,
                             quality, cdlg::ThousandthsOfInches, &printer, flags));
    QCOMPARE(left, 1000);
    QCOMPARE(right, 750);
    QCOMPARE(top, 500);
    QCOMPARE(bottom, 1250);
    QCOMPARE(paper, 9);
    QCOMPARE(orientation, 2);
    QVERIFY(flags & cdlg::InThousandthsOfInchesFlag);

    double l2 = 2540.5, r2 = 1000.25, t2 = 1500.0, b2 = 2000.0; // hundredths of a millimetre
    whenShown<QPageSetupDialog>([](QPageSetupDialog *dlg) { static_cast<QDialog *>(dlg)->accept(); });
    QVERIFY(d.VBPageSetupDlg2(-1, false, false, false, false, l2, 0, r2, 0, t2, 0, b2, 0, paper, orientation, quality,
                              cdlg::HundredthsOfMillimeters, &printer, flags));
    QVERIFY(qAbs(l2 - 2540.5) < 0.01);
    QVERIFY(qAbs(r2 - 1000.25) < 0.01);
    QVERIFY(flags & cdlg::InHundredthsOfMillimetersFlag);
}

void tst_CDLG::printDialogCancel()
{
    CDLG d;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    qint32 range = cdlg::PageNums, from = 2, to = 5, copies = 3, flags = 0;
    bool toFile = true, collate = true;
    QString name = QStringLiteral("somewhere");
    whenShown<QPrintDialog>([](QPrintDialog *dlg) { static_cast<QDialog *>(dlg)->reject(); });
    QVERIFY(!d.VBPrintDlg(&printer, range, false, from, to, false, copies, true, false, toFile, collate, false, -1,
                          name, flags));
    QCOMPARE(range, cdlg::AllPages);
    QCOMPARE(from, 0);
    QCOMPARE(copies, 0);
    QVERIFY(!toFile && !collate && name.isEmpty());
    QCOMPARE(flags, 0);
    QCOMPARE(d.APIReturn(), cdlg::ReturnCancel);
}

void tst_CDLG::ownerHandles()
{
    QWidget window;
    window.show();
    QCOMPARE(CDLG::OwnerWindow(-1), nullptr);
    QCOMPARE(CDLG::OwnerWindow(qintptr(window.winId())), &window);
}

QTEST_MAIN(tst_CDLG)
#include "tst_cdlg.moc"
