#pragma once
#include <QString>
#include <QTemporaryDir>

namespace kesto::test {

// A temporary program folder. By default it holds empty cards/ and pic/ folders; helpers
// add the content a test needs.
class TestFolder
{
public:
    explicit TestFolder(bool withContentFolders = true);

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &relative) const { return m_dir.filePath(relative); }

    void makeFolder(const QString &relative);
    void removeFolder(const QString &relative);
    void writeFile(const QString &relative, const QByteArray &bytes);
    // Copies the built program folder's content (cards/, pic/, tarot.dll) when present.
    void copyBuiltContent();

private:
    QTemporaryDir m_dir;
};

} // namespace kesto::test
