// The settings store of the real platform: encoded names and values go in and come back out
// of a fresh reader unchanged, each name its own key.
#include "ui/platform/qtplatform.h"
#include "core/online/modhelp.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace kesto;

class tst_QtPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realStoreRoundTrip();
};

void tst_QtPlatform::realStoreRoundTrip()
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QtPlatform platform(dir.filePath(QStringLiteral("lock")), QStringLiteral("kesto-test"), dir.path());
    const QStringList texts = {QStringLiteral("Duration"), QStringLiteral("a/b\\c"), QStringLiteral("12/9/2026"),
                               QStringLiteral("= x ="), QStringLiteral("Tähti")};
    for (const QString &name : texts)
        QVERIFY(platform.writeSetting(QStringLiteral("Settings"), EncodeSetting(name),
                                      EncodeSetting(name + QStringLiteral("!"))));
    QtPlatform reader(dir.filePath(QStringLiteral("lock2")), QStringLiteral("kesto-test"), dir.path());
    for (const QString &name : texts)
        QCOMPARE(DecodeSetting(reader.readSetting(QStringLiteral("Settings"), EncodeSetting(name))),
                 name + QStringLiteral("!"));
    // The file is where the native format keeps it; each name is its own key: nothing was
    // split into groups.
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kesto-test"),
                  QStringLiteral("kesto-test"));
    raw.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(raw.childKeys().size(), texts.size());
    QVERIFY(raw.childGroups().isEmpty());
}

QTEST_MAIN(tst_QtPlatform)
#include "tst_qtplatform.moc"
