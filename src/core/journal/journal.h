#pragma once
#include "core/journal/journalstore.h"

#include <QSet>
#include <QString>
#include <memory>
#include <optional>

namespace kesto {

class Platform;

// The reading journal as the program uses it: where it lives, whether finished readings are
// kept, and the one message a run shows about each kind of trouble with the file. The store
// reports what went wrong; the windows show the message.
class Journal
{
public:
    explicit Journal(Platform &platform);
    ~Journal();

    // The user's own data folder for this program, where the journal lives.
    static QString defaultFolder();
    // Where the journal lives. Until a folder is set nothing is kept: main sets the user's
    // data folder, tests a scratch folder of their own.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    // Whether finished readings are kept; on unless the user turned it off. The choice is
    // kept in the per-user settings.
    bool keeping() const;
    void setKeeping(bool on);

    // The store, opened on first use; null when no folder is set.
    JournalStore *store();

    // Keeps a finished reading with its report, if keeping is on; gives its id.
    std::optional<qint64> keep(const CurrentReading &reading, const QByteArray &report);

    // The message about the store's last trouble, the first time this run meets that kind of
    // trouble; empty otherwise (and when there is none).
    QString takeMessage();

private:
    Platform &m_platform;
    QString m_folder;
    std::unique_ptr<JournalStore> m_store;
    QSet<int> m_shown;
};

} // namespace kesto
