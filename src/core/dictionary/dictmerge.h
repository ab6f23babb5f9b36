#pragma once
#include "core/platform/platform.h"

#include <QString>
#include <functional>

namespace kesto {

enum class MergeOutcome {
    Cancelled, // no file chosen: nothing happens, no message
    NothingToUpdate, // the chosen file has no rows or is not a dictionary that can be read
    WrongFile, // a row does not belong to the tarot dictionary; rows before it were added
    Updated, // every row was merged
    NotChanged, // the installed dictionary could not be written; it is exactly as before
    Refused, // the chosen file's tarot is not a table, or holds more than a merge
             // reads (MergeLimits); nothing was added
};

// How much of a chosen file a merge reads at most, far above any real tarot dictionary; a
// file beyond them is refused before anything is written.
struct MergeLimits
{
    qsizetype rows = 4'000'000;
    qsizetype bytesPerText = 64 * 1024; // one keyword or address, as held (2 bytes a character)
    qsizetype totalBytes = 512 * 1024 * 1024; // all keywords and addresses together, as held
};

struct MergeReport
{
    MergeOutcome outcome = MergeOutcome::Cancelled;
    // The message to show (empty for Cancelled) and its icon.
    QString message;
    MessageIcon icon = MessageIcon::Information;
    // Rows now added to the installed dictionary (0 unless the merge was committed).
    qsizetype rowsAdded = 0;
    // Rows of the chosen file left out because their "Key" or "Link" is empty.
    qsizetype rowsWithoutEntry = 0;
};

struct MergeOptions
{
    // How long to wait for another program's lock on the installed dictionary: briefly, so
    // that a file held locked is reported at once instead of freezing the program.
    int busyTimeoutMs = 250;
    // Called after every 1024 rows written (with the count so far), before the merge is
    // committed; lets a caller keep its windows alive during a very large merge.
    std::function<void(qsizetype rowsWritten)> progress;
    MergeLimits limits;
};

// Merges the rows of the chosen dictionary file into the installed one. A row is added
// when no row of the installed dictionary, nor one added before it, has the same "Link"
// (case counts); nothing is changed or deleted. Every row's "Names" must be exactly
// "tarot": at the first that is not, the rows before it are kept and the merge stops.
// All rows are written in one transaction; if any cannot be saved, none is. The chosen
// file is only read, and may be the installed file itself.
MergeReport MergeDictionary(const QString &chosenFile, const QString &installedFile, const MergeOptions &options = {});

// The three messages of the update.
QString NothingToUpdateMessage();
QString WrongFileMessage();
QString UpdatedMessage();

} // namespace kesto
