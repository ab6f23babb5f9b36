#include "core/dictionary/dictstore.h"

#include "core/dictionary/dictdb.h"
#include "core/platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

// Copies the whole of the shipped file into the open temporary file.
bool CopyFileContents(const QString &from, QFile &to)
{
    QFile source;
    if (!OpenRegularFile(source, from))
        return false;
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (to.write(chunk) != chunk.size())
            return false;
    }
    return source.error() == QFileDevice::NoError && to.flush();
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

    // The shipped file cannot be written: merge into a copy made under a name of its own in
    // the copy's folder, so that a half-made copy never takes the shipped file's place and
    // nothing an earlier attempt left behind (a journal the database engine would replay into
    // the fresh copy) can touch it.
    const QString folder = QFileInfo(copy).absolutePath();
    const QString cannotMake = QStringLiteral("Your own copy of the dictionary could not be made in ") + folder;
    if (!QDir().mkpath(folder))
        return notChanged(cannotMake);
    // Leftovers of earlier attempts: the fixed name older versions worked on, any side file of
    // the copy itself, which does not exist yet and so cannot own one, ...
    RemoveDatabaseFiles(copy + QStringLiteral(".part"));
    RemoveSideFiles(copy);
    // and copies under names of their own that an update stopped part-way left behind.
    const QString copyName = QFileInfo(copy).fileName();
    const QDir copyFolder(folder);
    for (const QString &left :
         copyFolder.entryList({copyName + QStringLiteral(".*.part"), copyName + QStringLiteral(".*.part-*")},
                              QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(copyFolder.filePath(left));

    QTemporaryFile partial(copy + QStringLiteral(".XXXXXX.part"));
    if (!partial.open())
        return notChanged(cannotMake);
    const QString partialPath = partial.fileName();
    RemoveSideFiles(partialPath);
    if (!CopyFileContents(shipped, partial)) {
        partial.close();
        RemoveSideFiles(partialPath);
        return notChanged(cannotMake);
    }
    partial.close();

    MergeReport report = MergeDictionary(chosenFile, partialPath, options);
    RemoveSideFiles(partialPath);
    if (report.rowsAdded <= 0)
        return report; // the temporary file goes with `partial`
    if (!PassesQuickCheck(partialPath)) {
        RemoveSideFiles(partialPath);
        return notChanged(QStringLiteral("Your own copy of the dictionary failed its check and was not saved."));
    }
    RemoveSideFiles(copy);
    if (!partial.rename(copy)) {
        RemoveSideFiles(partialPath);
        return notChanged(QStringLiteral("Your own copy of the dictionary could not be saved in ") + folder);
    }
    partial.setAutoRemove(false);
    return report;
}

} // namespace kesto
