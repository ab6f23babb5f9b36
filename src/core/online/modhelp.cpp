#include "core/online/modhelp.h"

#include "core/platform/maker.h"
#include "core/platform/platform.h"
#include "core/session/session.h"

#include <QDate>
#include <QLocale>

#include <limits>

namespace kesto {

QString MakerPageAddress(QStringView pageKey)
{
    return maker::siteAddress() + QStringLiteral("/Kesto/ssd.php?page=") + pageKey.toString();
}

void OpenMakerPage(Platform &platform, QStringView pageKey) { platform.openAddress(MakerPageAddress(pageKey)); }

void CheckInternetConnection(Session &session)
{
    session.internetConnected = session.platform.internetConnected() ? 1 : 0;
}

static QChar substitute(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return QChar(char16_t(u'A' + u'Z' - u));
    if (u >= u'a' && u <= u'z')
        return QChar(char16_t(u'a' + u'z' - u));
    if (u >= u'0' && u <= u'9')
        return QChar(char16_t(u'0' + u'9' - u));
    if (u < 0x80)
        return QChar(char16_t(0xE000 + u));
    if (u >= 0xE000 && u < 0xE080)
        return QChar(char16_t(u - 0xE000));
    return c;
}

// The substitution is its own inverse, so encoding and decoding are the same walk.
static QString substituteAll(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(substitute(c));
    return out;
}

QString EncodeSetting(const QString &text) { return substituteAll(text); }
QString DecodeSetting(const QString &text) { return substituteAll(text); }

static QString reminderDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    if (!format.contains(QStringLiteral("yyyy")))
        format = QStringLiteral("yyyy-MM-dd");
    return format;
}

QString FormatReminderDate(const QDate &date) { return QLocale().toString(date, reminderDateFormat()); }

QDate ParseReminderDate(const QString &text) { return QLocale().toDate(text.trimmed(), reminderDateFormat()); }

void CheckUpdateReminder(Platform &platform)
{
    const QString section = QStringLiteral("Settings");
    const QString durationKey = EncodeSetting(QStringLiteral("Duration"));
    const QString installKey = EncodeSetting(QStringLiteral("Install"));
    const QDate today = platform.today();

    const QString stored = DecodeSetting(platform.readSetting(section, durationKey));
    if (stored.isEmpty()) {
        platform.writeSetting(section, installKey, EncodeSetting(QStringLiteral("1")));
        platform.writeSetting(section, durationKey, EncodeSetting(FormatReminderDate(today)));
        return;
    }

    const QDate last = ParseReminderDate(stored);
    if (!last.isValid())
        return; // not a date: the day count fails, so no reminder and nothing written
    const qint64 days = today.daysTo(last);
    if (days >= -14 && days <= 14)
        return;

    const MessageAnswer answer = platform.message(QStringLiteral("There maybe an update to this software available\r"
                                                                 "Do you want to check for an update?"),
                                                  MessageIcon::Information, MessageButtons::YesNo);

    const QString install = DecodeSetting(platform.readSetting(section, installKey));
    // No whole number of 64 bits reads as 0, and so does the one whose absolute value has
    // no 64-bit form (negating it would overflow).
    const qint64 number = install.trimmed().toLongLong();
    const qint64 count = number == std::numeric_limits<qint64>::min() ? 0 : qAbs(number);
    platform.writeSetting(section, installKey, EncodeSetting(QString::number(count)));
    platform.writeSetting(section, durationKey, EncodeSetting(FormatReminderDate(today)));

    if (answer == MessageAnswer::Yes)
        OpenMakerPage(platform, page::download);
}

} // namespace kesto
