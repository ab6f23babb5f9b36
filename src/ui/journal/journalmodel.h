#pragma once
#include "core/journal/journalstore.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace kesto {

// The journal's list: one row per kept reading, newest first, as the store lists them.
class JournalListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { DateColumn, QuerentColumn, SpreadColumn, QuestionColumn, ReversedColumn, ColumnCount };
    // The reading's id, for any column.
    static constexpr int IdRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setReadings(QList<JournalSummary> readings);
    const JournalSummary *summary(int row) const;
    int rowOf(qint64 id) const;
    void setNote(int row, const QString &note);
    void removeReading(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<JournalSummary> m_readings;
};

// Narrows the list to the readings that hold every word of the filter text, in the querent's
// name, the question, the spread, the cards' names or the note, whatever the case.
class JournalFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setFilterWords(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QStringList m_words;
};

// A text as one line of the list: line breaks and other control characters shown as blanks.
QString OneLine(const QString &text);

} // namespace kesto
