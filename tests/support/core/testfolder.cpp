#include "testfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kesto::test {

TestFolder::TestFolder(bool withContentFolders)
{
    if (withContentFolders) {
        makeFolder(QStringLiteral("cards"));
        makeFolder(QStringLiteral("pic"));
    }
}

void TestFolder::makeFolder(const QString &relative) { QDir(path()).mkpath(relative); }

void TestFolder::removeFolder(const QString &relative) { QDir(filePath(relative)).removeRecursively(); }

void TestFolder::writeFile(const QString &relative, const QByteArray &bytes)
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void TestFolder::copyBuiltContent()
{
    const QString built = qEnvironmentVariable("KESTO_PROGRAM_DIR");
    if (built.isEmpty())
        return;
    for (const QString &sub : {QStringLiteral("cards"), QStringLiteral("pic")}) {
        QDirIterator it(built + QLatin1Char('/') + sub, QDir::Files);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = filePath(sub + QLatin1Char('/') + QFileInfo(file).fileName());
            QFile::remove(target);
            QFile::copy(file, target);
        }
    }
    const QString dict = built + QStringLiteral("/tarot.dll");
    if (QFileInfo::exists(dict)) {
        QFile::remove(filePath(QStringLiteral("tarot.dll")));
        QFile::copy(dict, filePath(QStringLiteral("tarot.dll")));
        QFile(filePath(QStringLiteral("tarot.dll"))).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace kesto::test
