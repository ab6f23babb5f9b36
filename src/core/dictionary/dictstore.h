#pragma once
#include "core/dictionary/dictmerge.h"

#include <QString>
#include <functional>

namespace kesto {

// Where the installed dictionary is read and written.
//
// The dictionary ships as tarot.dll in the program folder, and that file is the installed
// dictionary as long as this user can write it. Installed for all users, the program folder
// belongs to the system and the user cannot write there, so an update could never be saved.
// Then the first update that adds entries works on a copy of the shipped file in the user's
// own data folder, and from then on every dictionary action reads that copy; the shipped
// file stays as it was. The copy's place repeats the program folder's path under the user's
// folder, so that each installation of the program (a system-wide one, a build tree) has a
// copy of its own. Whether the dictionary exists at all is still decided by the program
// folder's file (the mode screen checks it).
class DictionaryStore
{
public:
    // Tells whether a dictionary file can be changed where it is.
    using WriteCheck = std::function<bool(const QString &path)>;

    // The user's own data folder; empty means the system's per-user folder for this program.
    void setUserFolder(const QString &folder) { m_userFolder = folder; }
    QString userFolder() const;
    // Empty means the file system's answer (CanWriteInPlace).
    void setWriteCheck(WriteCheck check) { m_canWrite = std::move(check); }

    // The user's copy of a program folder's dictionary, which may not exist:
    // <user folder>/programs/<program folder's absolute path>/tarot.dll.
    QString userCopyPath(const QString &programFolder) const;
    // The folder whose tarot.dll every dictionary action reads: the user's folder once it
    // holds a copy, otherwise the program folder.
    QString dictionaryFolder(const QString &programFolder) const;

    // Merges the chosen file into the installed dictionary: into the user's copy if there is
    // one; else into the program folder's file if it can be written; else into a fresh copy
    // of it, which becomes the user's copy only when the merge added rows (a merge that
    // changes nothing leaves no copy behind).
    MergeReport merge(const QString &programFolder, const QString &chosenFile, const MergeOptions &options = {}) const;

private:
    bool canWrite(const QString &path) const;

    QString m_userFolder;
    WriteCheck m_canWrite;
};

// True when the file and the folder it lives in can both be written by this process: the
// database engine writes its journal beside the file while it saves.
bool CanWriteInPlace(const QString &path);

} // namespace kesto
