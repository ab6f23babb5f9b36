#include "fakeplatform.h"

#include "core/platform/maker.h"
#include "core/platform/randomsource.h"
#include "core/online/modhelp.h"

#include <QtTest>

using namespace kesto;
using kesto::test::FakePlatform;

namespace {

const QString kQuestion
    = QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?");

QString storedKey(const char *name) { return QStringLiteral("Settings/") + EncodeSetting(QString::fromLatin1(name)); }

QString storedDate(FakePlatform &p) { return DecodeSetting(p.settings.value(storedKey("Duration"))); }

} // namespace

class tst_ModHelp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void makerPages_data();
    void makerPages();
    void encodingRoundTrip_data();
    void encodingRoundTrip();
    void encodedNamesAreSafeKeys();
    void reminder_data();
    void reminder();
    void reminderDateSurvivesTwoDigitYearLocale();
    void randomFractionsStayBelowOne();
};

void tst_ModHelp::makerPages_data()
{
    QTest::addColumn<QString>("key");
    for (const char16_t *key :
         {page::help, page::home, page::download, page::donate, page::fullyBranded, page::coBrand})
        QTest::newRow(QString::fromUtf16(key).toLatin1().constData()) << QString::fromUtf16(key);
}

void tst_ModHelp::makerPages()
{
    QFETCH(QString, key);
    FakePlatform p;
    OpenMakerPage(p, key);
    QCOMPARE(p.openedAddresses, QStringList{maker::siteAddress() + QStringLiteral("/Kesto/ssd.php?page=") + key});
}

void tst_ModHelp::encodingRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("name") << QStringLiteral("Duration");
    QTest::newRow("date with slashes") << QStringLiteral("12/9/2026");
    QTest::newRow("specials") << QStringLiteral("a/b\\c=d e%f;g#h[i]");
    QTest::newRow("digits") << QStringLiteral("0123456789");
    QTest::newRow("non-ASCII") << QStringLiteral("Tähti ★ \u00e9");
    QTest::newRow("private-use") << QString(QChar(0xE02F)) + QChar(0xE05C);
    QTest::newRow("empty") << QString();
}

void tst_ModHelp::encodingRoundTrip()
{
    QFETCH(QString, text);
    const QString encoded = EncodeSetting(text);
    QCOMPARE(encoded.size(), text.size());
    QCOMPARE(DecodeSetting(encoded), text);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() < 0x80)
            QVERIFY2(encoded[i] != text[i], "every ASCII character is substituted");
    }
}

void tst_ModHelp::encodedNamesAreSafeKeys()
{
    // Every printable ASCII text encodes to a key without group separators or INI specials.
    QString all;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        all.append(QChar(c));
    const QString encoded = EncodeSetting(all);
    for (QChar c : {QLatin1Char('/'), QLatin1Char('\\'), QLatin1Char('='), QLatin1Char(' '), QLatin1Char(';'),
                    QLatin1Char('#'), QLatin1Char('['), QLatin1Char(']'), QLatin1Char('%')})
        QVERIFY(!encoded.contains(c));
}

void tst_ModHelp::reminder_data()
{
    QTest::addColumn<QString>("stored"); // empty: first start; otherwise a date or garbage
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<bool>("asks");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("first start") << QString() << 0 << false << false << true;
    QTest::newRow("14 days") << QStringLiteral("date") << 14 << false << false << false;
    QTest::newRow("15 days, No") << QStringLiteral("date") << 15 << true << false << true;
    QTest::newRow("15 days, Yes") << QStringLiteral("date") << 15 << true << true << true;
    QTest::newRow("14 days ahead") << QStringLiteral("date") << -14 << false << false << false;
    QTest::newRow("15 days ahead") << QStringLiteral("date") << -15 << true << false << true;
    QTest::newRow("not a date") << QStringLiteral("soon") << 0 << false << false << false;
}

void tst_ModHelp::reminder()
{
    QFETCH(QString, stored);
    QFETCH(int, daysAgo);
    QFETCH(bool, asks);
    QFETCH(bool, answerYes);
    QFETCH(bool, rewritten);
    FakePlatform p;
    p.todayDate = QDate(2026, 12, 9);
    QString before;
    if (!stored.isEmpty()) {
        before = stored == QStringLiteral("date") ? FormatReminderDate(p.todayDate.addDays(-daysAgo)) : stored;
        p.settings.insert(storedKey("Duration"), EncodeSetting(before));
        p.settings.insert(storedKey("Install"), EncodeSetting(QStringLiteral("-3")));
    }
    p.answers.push_back(answerYes ? MessageAnswer::Yes : MessageAnswer::No);

    CheckUpdateReminder(p);

    QCOMPARE(p.messages.size(), asks ? 1 : 0);
    if (asks) {
        QCOMPARE(p.messages[0].text, kQuestion);
        QCOMPARE(p.messages[0].icon, MessageIcon::Information);
        QCOMPARE(p.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(DecodeSetting(p.settings.value(storedKey("Install"))), QStringLiteral("3"));
    }
    QCOMPARE(storedDate(p), rewritten ? FormatReminderDate(p.todayDate) : before);
    if (stored.isEmpty())
        QCOMPARE(DecodeSetting(p.settings.value(storedKey("Install"))), QStringLiteral("1"));
    QCOMPARE(p.openedAddresses.size(), answerYes && asks ? 1 : 0);
    if (!p.openedAddresses.isEmpty())
        QVERIFY(p.openedAddresses[0].endsWith(QStringLiteral("page=download-web-page")));
}

void tst_ModHelp::reminderDateSurvivesTwoDigitYearLocale()
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QVERIFY(!us.dateFormat(QLocale::ShortFormat).contains(QStringLiteral("yyyy"))); // the trap
    QLocale::setDefault(us);
    const QDate day(2026, 12, 9);
    QCOMPARE(ParseReminderDate(FormatReminderDate(day)), day);
    QVERIFY(FormatReminderDate(day).contains(QStringLiteral("2026")));

    // Run the reminder on two consecutive days: the second start must stay quiet.
    FakePlatform p;
    p.todayDate = day;
    CheckUpdateReminder(p);
    p.todayDate = day.addDays(1);
    CheckUpdateReminder(p);
    QVERIFY(p.messages.isEmpty());
}

void tst_ModHelp::randomFractionsStayBelowOne()
{
    QVERIFY(RandomSource::fractionFromBits(~std::uint64_t(0)) < 1.0f);
    QCOMPARE(RandomSource::fractionFromBits(0), 0.0f);
    // A naive 32-bit conversion of the same extreme would give exactly 1.0f.
    QCOMPARE(float(0xFFFFFFFFu) / 4294967296.0f, 1.0f);
    RandomSource source(42);
    float lo = 1, hi = 0;
    for (int i = 0; i < 200000; ++i) {
        const float f = source.next();
        QVERIFY(f >= 0.0f && f < 1.0f);
        lo = std::min(lo, f);
        hi = std::max(hi, f);
    }
    QVERIFY(lo < 0.001f && hi > 0.999f);
}

QTEST_MAIN(tst_ModHelp)
#include "tst_modhelp.moc"
