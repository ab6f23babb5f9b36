#pragma once
#include <QDate>
#include <QString>
#include <QStringView>

namespace kesto {

class Platform;
struct Session;

// The maker's page keys, each opened as <site>/Kesto/ssd.php?page=<key>.
namespace page {
inline constexpr char16_t help[] = u"help-web-page";
inline constexpr char16_t home[] = u"home-page";
inline constexpr char16_t download[] = u"download-web-page";
inline constexpr char16_t donate[] = u"donate";
inline constexpr char16_t fullyBranded[] = u"fully-branded";
inline constexpr char16_t coBrand[] = u"co-brand";
} // namespace page

// Both take a page key directly: one of the constants above, or any text.
QString MakerPageAddress(QStringView pageKey);
// Opens one of the maker's pages in the default browser; failures are not reported.
void OpenMakerPage(Platform &platform, QStringView pageKey);

// Runs the internet test and stores 1 or 0 in the session's InternetConnected.
void CheckInternetConnection(Session &session);

// Reversible substitution used for the reminder's setting names and values. Letters stay
// letters and digits stay digits (mirrored within their range); every other ASCII
// character moves to the private-use block and back. An encoded ASCII text therefore never
// holds "/", "\\", "=", a blank or any other character a settings store treats specially.
QString EncodeSetting(const QString &text);
QString DecodeSetting(const QString &text);

// The date as stored in "Duration": the user's short date format with the year always
// written in four digits, so that it reads back as the same day.
QString FormatReminderDate(const QDate &date);
QDate ParseReminderDate(const QString &text);

// At start-up: offers the download page once more than 14 days have passed since the last
// check (either way).
void CheckUpdateReminder(Platform &platform);

} // namespace kesto
