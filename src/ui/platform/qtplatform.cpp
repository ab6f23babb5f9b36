#include "ui/platform/qtplatform.h"
#include "core/platform/internettest.h"
#include "core/platform/regularfile.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace kesto {

namespace {

// A lock file that names no process (a copy that ended while writing it leaves it empty or
// cut short) is never found stale by its process id, and would refuse every later start.
// Once it is older than a starting copy's first moments, it is removed and the lock taken
// again; the removal fails while a running copy holds the file locked. True when taken.
bool takeUnreadableLock(QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.getLockInfo(&pid, &host, &application))
        return false;
    const QDateTime written = QFileInfo(path).lastModified();
    if (!written.isValid() || qAbs(written.secsTo(QDateTime::currentDateTime())) < 10)
        return false;
    return lock.removeStaleLockFile() && lock.tryLock(0);
}

} // namespace

QtPlatform::QtPlatform(QString lockFilePath, QString settingsApplication, QString settingsFolder)
    : m_lockFilePath(lockFilePath.isEmpty() ? defaultLockFilePath() : std::move(lockFilePath)),
      m_settingsApplication(std::move(settingsApplication)),
      m_settingsFolder(std::move(settingsFolder))
{
    if (m_settingsApplication.isEmpty())
        m_settingsApplication = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (m_settingsApplication.isEmpty())
        m_settingsApplication = QStringLiteral("kesto");
    if (m_settingsFolder.isEmpty())
        m_settingsFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    m_random.seedFromClock();
}

QtPlatform::~QtPlatform() = default;

QString QtPlatform::defaultLockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/kesto.lock");
}

MessageAnswer QtPlatform::message(const QString &text, MessageIcon icon, MessageButtons buttons)
{
    // Messages join their lines with a lone carriage return; Qt needs a line feed to break.
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Kesto"), shown,
                    buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    const int answer = box.exec();
    if (buttons == MessageButtons::YesNo)
        return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
}

void QtPlatform::openAddress(const QString &address) { QDesktopServices::openUrl(QUrl::fromUserInput(address)); }

void QtPlatform::pause(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(ulong(milliseconds));
}

float QtPlatform::randomFraction() { return m_random.next(); }

void QtPlatform::reseedRandom() { m_random.seedFromClock(); }

QDate QtPlatform::today() { return QDate::currentDate(); }

bool QtPlatform::internetConnected() { return detectInternetConnection(); }

QString QtPlatform::programFolder() { return QCoreApplication::applicationDirPath(); }

QString QtPlatform::settingsFile() const
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return m_settingsFolder + QLatin1Char('/') + m_settingsApplication + QLatin1Char('/') + m_settingsApplication
        + QStringLiteral(".conf");
#else
    return QString();
#endif
}

// Where the store is a file, it is named outright: the place the native format uses for this
// user, so that what lies there can be looked at before Qt opens it (QSettings reads the file
// as soon as it is made). The system-wide and organisation-wide files the native format would
// also read are left out: the reminder's values belong to this user alone.
std::unique_ptr<QSettings> QtPlatform::openSettings() const
{
    const QString file = settingsFile();
    if (file.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, m_settingsApplication,
                                           m_settingsApplication);
    return std::make_unique<QSettings>(file, QSettings::NativeFormat);
}

// A FIFO, a folder or anything else that is not a regular file where the settings file
// belongs: reading it would wait on the FIFO for ever. The store then reads as a fresh one,
// and nothing is written, so that whatever the user keeps there stays as it is (writing
// would replace a FIFO with a file). The same goes for the lock file the store takes while it
// writes. QSettings opens these files by name after this look; they live in this user's own
// configuration folder, where only the user's own programs could swap one in that moment.
QString QtPlatform::readSetting(const QString &section, const QString &key)
{
    if (KindOfPath(settingsFile()) == PathKind::Other)
        return QString();
    const std::unique_ptr<QSettings> store = openSettings();
    return store->value(section + QLatin1Char('/') + key).toString();
}

bool QtPlatform::writeSetting(const QString &section, const QString &key, const QString &value)
{
    const QString file = settingsFile();
    if (!file.isEmpty()
        && (KindOfPath(file) == PathKind::Other || KindOfPath(file + QStringLiteral(".lock")) == PathKind::Other))
        return false;
    const std::unique_ptr<QSettings> store = openSettings();
    store->setValue(section + QLatin1Char('/') + key, value);
    store->sync();
    return store->status() == QSettings::NoError;
}

QString QtPlatform::chooseFileToSave(const QString &title, const QString &filter, const QString &suggestedName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title,
                                        folder.isEmpty() ? suggestedName : folder + QLatin1Char('/') + suggestedName,
                                        filter);
}

QString QtPlatform::chooseFileToOpen(const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
}

bool QtPlatform::anotherInstanceRunning()
{
    if (m_lock && m_lock->isLocked())
        return false;
    // A FIFO, a folder or anything else that is not a regular file where the lock belongs
    // is no lock a copy of this program took: QLockFile would wait on a FIFO for ever while
    // it reads who holds it, and could neither replace a folder nor take it. Whether another
    // copy runs cannot be told then, so the program starts, without a lock, and leaves the
    // thing where it is. QLockFile opens the path by name after this look; the lock lives in
    // this user's own runtime folder, where only the user's own programs could swap one in
    // that moment.
    if (KindOfPath(m_lockFilePath) == PathKind::Other)
        return false;
    m_lock = std::make_unique<QLockFile>(m_lockFilePath);
    // No age limit: a lock is stale only when the process that took it is gone, which
    // QLockFile checks by its recorded process id, so a crashed copy never blocks a start
    // and a long-running one is never mistaken for a crashed one.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return false;
    if (m_lock->error() == QLockFile::LockFailedError)
        return !takeUnreadableLock(*m_lock, m_lockFilePath);
    // The lock could not be created at all (unwritable folder): do not refuse to start.
    return false;
}

void QtPlatform::endProcess()
{
    m_ended = true;
    if (m_lock)
        m_lock->unlock();
    QCoreApplication::exit(0);
}

void QtPlatform::yieldToEvents() { QCoreApplication::processEvents(); }

} // namespace kesto
