#include "core/journal/journal.h"

#include "core/platform/platform.h"

#include <QStandardPaths>

namespace kesto {

namespace {
const QString kSection = QStringLiteral("Journal");
const QString kKeep = QStringLiteral("Keep");
} // namespace

Journal::Journal(Platform &platform) : m_platform(platform) {}

Journal::~Journal() = default;

QString Journal::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation); }

void Journal::setFolder(const QString &folder)
{
    m_store.reset();
    m_folder = folder;
}

bool Journal::keeping() const { return m_platform.readSetting(kSection, kKeep) != QStringLiteral("0"); }

void Journal::setKeeping(bool on)
{
    m_platform.writeSetting(kSection, kKeep, on ? QStringLiteral("1") : QStringLiteral("0"));
}

JournalStore *Journal::store()
{
    if (m_folder.isEmpty())
        return nullptr;
    if (!m_store) {
        m_store = std::make_unique<JournalStore>(m_folder);
        m_store->open();
    }
    return m_store.get();
}

std::optional<qint64> Journal::keep(const CurrentReading &reading, const QByteArray &report)
{
    if (!keeping())
        return std::nullopt;
    JournalStore *journal = store();
    if (!journal)
        return std::nullopt;
    return journal->add(JournalReading::fromCurrent(reading, report));
}

QString Journal::takeMessage()
{
    if (!m_store || m_store->problem() == JournalProblem::None)
        return QString();
    const int kind = int(m_store->problem());
    const QString message = m_store->problemMessage();
    m_store->clearProblem();
    if (m_shown.contains(kind))
        return QString();
    m_shown.insert(kind);
    return message;
}

} // namespace kesto
