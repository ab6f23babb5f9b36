#include "ui/journal/journalmodel.h"

#include <QLocale>

namespace kesto {

namespace {
constexpr int kQuestionLength = 60;
}

QString OneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return line;
}

void JournalListModel::setReadings(QList<JournalSummary> readings)
{
    beginResetModel();
    m_readings = std::move(readings);
    endResetModel();
}

const JournalSummary *JournalListModel::summary(int row) const
{
    return row >= 0 && row < m_readings.size() ? &m_readings[row] : nullptr;
}

int JournalListModel::rowOf(qint64 id) const
{
    for (int row = 0; row < m_readings.size(); ++row)
        if (m_readings[row].id == id)
            return row;
    return -1;
}

void JournalListModel::setNote(int row, const QString &note)
{
    if (row < 0 || row >= m_readings.size())
        return;
    m_readings[row].note = note;
    // The note is no column, but the filter reads it.
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void JournalListModel::removeReading(int row)
{
    if (row < 0 || row >= m_readings.size())
        return;
    beginRemoveRows({}, row, row);
    m_readings.removeAt(row);
    endRemoveRows();
}

int JournalListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_readings.size());
}

int JournalListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant JournalListModel::data(const QModelIndex &index, int role) const
{
    const JournalSummary *r = summary(index.row());
    if (!r)
        return {};
    if (role == IdRole)
        return r->id;
    if (role == Qt::TextAlignmentRole && index.column() == ReversedColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return QLocale().toString(r->keptAt.toLocalTime(), QLocale::ShortFormat);
    case QuerentColumn:
        return OneLine(r->name);
    case SpreadColumn:
        return r->spreadName;
    case QuestionColumn: {
        if (role == Qt::ToolTipRole)
            return OneLine(r->question);
        const QString line = OneLine(r->question);
        return line.size() > kQuestionLength ? line.left(kQuestionLength) + QChar(0x2026) : line;
    }
    case ReversedColumn:
        return r->reversedCount;
    default:
        return {};
    }
}

QVariant JournalListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case DateColumn:
        return QStringLiteral("Date and time");
    case QuerentColumn:
        return QStringLiteral("Querent");
    case SpreadColumn:
        return QStringLiteral("Spread");
    case QuestionColumn:
        return QStringLiteral("Question");
    case ReversedColumn:
        return QStringLiteral("Reversed");
    default:
        return {};
    }
}

void JournalFilterModel::setFilterWords(const QString &text)
{
    QStringList words = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == m_words)
        return;
    m_words = std::move(words);
    invalidateRowsFilter();
}

bool JournalFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_words.isEmpty())
        return true;
    const auto *list = static_cast<const JournalListModel *>(sourceModel());
    const JournalSummary *r = list ? list->summary(sourceRow) : nullptr;
    if (!r)
        return false;
    for (const QString &word : m_words) {
        const bool found = r->name.contains(word, Qt::CaseInsensitive)
            || r->question.contains(word, Qt::CaseInsensitive) || r->spreadName.contains(word, Qt::CaseInsensitive)
            || r->cardNames.contains(word, Qt::CaseInsensitive) || r->note.contains(word, Qt::CaseInsensitive);
        if (!found)
            return false;
    }
    return true;
}

} // namespace kesto
