#include "core/dictionary/dictsearch.h"

#include "core/dictionary/dictdb.h"

namespace kesto {

QString DictMessageText(DictMessage message)
{
    switch (message) {
    case DictMessage::None:
        return QString();
    case DictMessage::EmptySearch:
        return QStringLiteral("Please Enter Search Term");
    case DictMessage::NotFound:
        return QStringLiteral("Keyword not found - Please search in google") + QChar(u'\r')
            + QStringLiteral("Or write to us so that we can add the term in our dictionary");
    case DictMessage::InUse:
        return QStringLiteral("The Tarot Dictionary is in use by another program.") + QChar(u'\r')
            + QStringLiteral("Please close that program and try again.");
    }
    return QString();
}

QString TrimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString StripWildcards(const QString &text)
{
    QString stripped = text;
    stripped.remove(u'*');
    return stripped;
}

QString PrefixPattern(const QString &searchText) { return TrimSpaces(searchText).toLower(); }

QString WildcardPattern(const QString &searchText) { return StripWildcards(searchText.toLower()); }

bool PrefixMatches(const QString &key, const QString &s) { return key.toLower().startsWith(s); }

bool WildcardMatches(const QString &key, const QString &p)
{
    if (key.isEmpty())
        return false;
    return key.toLower().contains(p);
}

namespace {

// True when the error says another program holds the file locked (SQLITE_BUSY, SQLITE_LOCKED).
bool isLockError(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    return known && (code == 5 || code == 6);
}

struct Walk
{
    qsizetype rows = 0;
    bool inUse = false;
    bool readable = false; // the file opened and its table gave the columns asked for
};

// Runs "Select * from tarot" on the installed dictionary and hands every row's cursor to
// visit until it returns false. Gives the number of rows visited; a file that cannot be
// opened or read, or whose table lacks "Key" (or "Link" when asked for), counts as empty,
// and one that another program holds locked also says so.
template<typename Visit>
Walk walkInstalled(const QString &programFolder, bool needsLink, Visit visit)
{
    Walk walk;
    DictionaryConnection connection = OpenDictionaryConnection(InstalledDictionaryPath(programFolder),
                                                               DictionaryAccess::ReadInstalled, kReadBusyTimeoutMs);
    if (!connection.isOpen()) {
        walk.inUse = isLockError(connection.openError());
        return walk;
    }
    DictionaryCursor rows = OpenDictionaryRecordset(connection, InstalledQueryText());
    if (!rows.isValid()) {
        walk.inUse = isLockError(rows.error());
        return walk;
    }
    if (!rows.hasKey() || (needsLink && !rows.hasLink()))
        return walk;
    walk.readable = true;
    while (rows.next()) {
        ++walk.rows;
        if (!visit(rows))
            break;
    }
    if (rows.failed() && isLockError(rows.error()))
        walk = Walk{0, true, false};
    return walk;
}

} // namespace

QStringList ReadKeywordList(const QString &programFolder, bool *inUse)
{
    QStringList keys;
    const Walk walk = walkInstalled(programFolder, false, [&keys](const DictionaryCursor &row) {
        keys.append(row.key());
        return true;
    });
    if (inUse)
        *inUse = walk.inUse;
    if (walk.inUse)
        keys.clear();
    return keys;
}

namespace {

// Every keyword of the installed dictionary that `matches` accepts, in table order.
template<typename Match>
KeywordMatches findMatches(const QString &programFolder, Match matches)
{
    KeywordMatches found;
    const Walk walk = walkInstalled(programFolder, false, [&found, &matches](const DictionaryCursor &row) {
        const QString key = row.key();
        if (matches(key))
            found.keys.append(key);
        return true;
    });
    if (walk.inUse)
        found.keys.clear();
    found.rowsRead = walk.rows;
    found.inUse = walk.inUse;
    found.readable = walk.readable;
    return found;
}

} // namespace

KeywordMatches FindPrefixMatches(const QString &programFolder, const QString &s)
{
    return findMatches(programFolder, [&s](const QString &key) { return PrefixMatches(key, s); });
}

KeywordMatches FindWildcardMatches(const QString &programFolder, const QString &p)
{
    return findMatches(programFolder, [&p](const QString &key) { return WildcardMatches(key, p); });
}

std::optional<QString> FindLinkOfKey(const QString &programFolder, const QString &lowerKey, bool *inUse)
{
    std::optional<QString> link;
    const Walk walk = walkInstalled(programFolder, true, [&link, &lowerKey](const DictionaryCursor &row) {
        if (row.key().toLower() != lowerKey)
            return true;
        link = row.link();
        return false;
    });
    if (inUse)
        *inUse = walk.inUse;
    return walk.inUse ? std::nullopt : link;
}

namespace {

// A dictionary another program holds locked: the list stays as it is, nothing is opened.
DictionaryAction inUseAction()
{
    DictionaryAction action;
    action.message = DictMessage::InUse;
    return action;
}

// The full list with the empty-search message: an exactly empty box in Enter and Display.
DictionaryAction refillAndAskForTerm(const QString &programFolder)
{
    DictionaryAction action;
    bool inUse = false;
    QStringList keys = ReadKeywordList(programFolder, &inUse);
    if (inUse)
        return inUseAction();
    action.keywords = std::move(keys);
    action.message = DictMessage::EmptySearch;
    return action;
}

DictionaryAction webSearch()
{
    DictionaryAction action;
    action.browser = BrowserStep::OpenWebSearch;
    return action;
}

} // namespace

DictionaryAction EnterPressed(const DictionaryPanel &panel)
{
    if (panel.kind == SearchKind::Google)
        return webSearch();
    if (panel.keyText.isEmpty())
        return refillAndAskForTerm(panel.programFolder);

    DictionaryAction action;
    if (panel.kind == SearchKind::Exact) {
        KeywordMatches found = FindPrefixMatches(panel.programFolder, PrefixPattern(panel.keyText));
        if (found.inUse)
            return inUseAction();
        action.keywords = std::move(found.keys);
    } else {
        const QString p = WildcardPattern(panel.keyText);
        KeywordMatches found = FindWildcardMatches(panel.programFolder, p);
        if (found.inUse)
            return inUseAction();
        action.dictionaryLink = p;
        action.keywords = std::move(found.keys);
    }
    if (action.keywords->isEmpty())
        action.message = DictMessage::NotFound;
    else
        action.browser = BrowserStep::ShowDictionary;
    return action;
}

DictionaryAction SearchClicked(const DictionaryPanel &panel)
{
    DictionaryAction action;
    const QString s = PrefixPattern(panel.keyText);
    if (s.isEmpty()) {
        action.message = DictMessage::EmptySearch;
        return action;
    }
    if (panel.kind == SearchKind::Google)
        return webSearch();

    qsizetype listed = panel.listedRows;
    if (panel.kind == SearchKind::Exact) {
        KeywordMatches found = FindPrefixMatches(panel.programFolder, s);
        if (found.inUse)
            return inUseAction();
        // A dictionary without rows leaves the list as it was; one that cannot be read at
        // all has found nothing.
        if (!found.readable) {
            listed = 0;
        } else if (found.rowsRead > 0) {
            listed = found.keys.size();
            action.keywords = std::move(found.keys);
        }
    } else {
        const QString p = WildcardPattern(panel.keyText);
        KeywordMatches found = FindWildcardMatches(panel.programFolder, p);
        if (found.inUse)
            return inUseAction();
        action.dictionaryLink = p;
        action.keywords = std::move(found.keys);
        listed = action.keywords->size();
    }
    if (listed == 0) {
        action.message = DictMessage::NotFound;
    } else {
        action.browser = BrowserStep::Navigate;
        action.address = TrimSpaces(panel.keyText);
    }
    return action;
}

namespace {

// Display and double-click: the entry's address, or the text itself when no key equals it.
DictionaryAction openEntry(const DictionaryPanel &panel, bool lowerCaseFallback)
{
    DictionaryAction action;
    QString text = panel.keyText;
    if (panel.selectedRow) {
        text = *panel.selectedRow;
        action.keyText = text;
    }
    const QString trimmed = TrimSpaces(text);
    const QString lowered = trimmed.toLower();
    QString link = lowerCaseFallback ? lowered : trimmed;
    bool inUse = false;
    if (std::optional<QString> found = FindLinkOfKey(panel.programFolder, lowered, &inUse))
        link = *found;
    if (inUse)
        return inUseAction();
    action.dictionaryLink = link;
    if (panel.listedRows == 0) {
        action.message = DictMessage::NotFound;
        return action;
    }
    action.browser = BrowserStep::NavigateAndShow;
    action.address = link;
    return action;
}

} // namespace

DictionaryAction DisplayClicked(const DictionaryPanel &panel)
{
    if (panel.kind == SearchKind::Google)
        return webSearch();
    if (panel.keyText.isEmpty())
        return refillAndAskForTerm(panel.programFolder);
    return openEntry(panel, true);
}

DictionaryAction KeywordDoubleClicked(const DictionaryPanel &panel) { return openEntry(panel, false); }

DictionaryAction KeyTextChanged(const DictionaryPanel &panel)
{
    DictionaryAction action;
    if (TrimSpaces(panel.keyText).isEmpty()) {
        bool inUse = false;
        QStringList keys = ReadKeywordList(panel.programFolder, &inUse);
        if (inUse)
            return inUseAction();
        action.keywords = std::move(keys);
    }
    return action;
}

} // namespace kesto
