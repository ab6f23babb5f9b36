#include "core/dictionary/dictstore.h"

#include "core/dictionary/dictdb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kesto {

namespace {

MergeReport notChanged(const QString &reason)
{
    MergeReport report;
    report.outcome = MergeOutcome::NotChanged;
    report.message = QStringLiteral("The Tarot Dictionary was not changed.") + QChar(u'\r') + reason;
    report.icon = MessageIcon::Error;
    return report;
}

} // namespace

bool CanWriteInPlace(const QString &path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    return file.isFile() && file.isWritable() && folder.isDir() && folder.isWritable();
}

QString DictionaryStore::userFolder() const
{
    if (!m_userFolder.isEmpty())
        return m_userFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString DictionaryStore::userCopyPath(const QString &programFolder) const
{
    const QString folder = userFolder();
    if (folder.isEmpty() || programFolder.isEmpty())
        return QString();
    // The program folder's path, made relative: "/usr/lib/kesto" becomes "usr/lib/kesto"
    // and "C:/Program Files/Kesto" becomes "C/Program Files/Kesto".
    QString mirrored = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    mirrored.remove(u':');
    while (mirrored.startsWith(u'/'))
        mirrored.remove(0, 1);
    return InstalledDictionaryPath(folder + QStringLiteral("/programs/") + mirrored);
}

QString DictionaryStore::dictionaryFolder(const QString &programFolder) const
{
    const QString copy = userCopyPath(programFolder);
    if (!copy.isEmpty() && QFileInfo(copy).isFile())
        return QFileInfo(copy).absolutePath();
    return programFolder;
}

bool DictionaryStore::canWrite(const QString &path) const
{
    return m_canWrite ? m_canWrite(path) : CanWriteInPlace(path);
}

MergeReport DictionaryStore::merge(const QString &programFolder, const QString &chosenFile,
                                   const MergeOptions &options) const
{
    if (chosenFile.isEmpty())
        return MergeReport();

    const QString copy = userCopyPath(programFolder);
    if (!copy.isEmpty() && QFileInfo(copy).isFile())
        return MergeDictionary(chosenFile, copy, options);

    const QString shipped = InstalledDictionaryPath(programFolder);
    if (!QFileInfo(shipped).isFile() || canWrite(shipped) || copy.isEmpty())
        return MergeDictionary(chosenFile, shipped, options);

    // The shipped file cannot be written: merge into a copy made under a temporary name, so
    // that a half-made copy never takes the shipped file's place.
    const QString folder = QFileInfo(copy).absolutePath();
    if (!QDir().mkpath(folder))
        return notChanged(QStringLiteral("Your own copy of the dictionary could not be made in ") + folder);
    const QString partial = copy + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(shipped, partial)) {
        QFile::remove(partial);
        return notChanged(QStringLiteral("Your own copy of the dictionary could not be made in ") + folder);
    }
    // The copy keeps the shipped file's permissions, which may not let anyone write it.
    QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    MergeReport report = MergeDictionary(chosenFile, partial, options);
    if (report.rowsAdded > 0 && !QFile::rename(partial, copy)) {
        QFile::remove(partial);
        return notChanged(QStringLiteral("Your own copy of the dictionary could not be saved in ") + folder);
    }
    QFile::remove(partial);
    return report;
}

} // namespace kesto
