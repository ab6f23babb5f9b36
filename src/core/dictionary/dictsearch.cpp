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
        return QStringLiteral("Keyword not found - Please search in google")
            + QChar(u'\r')
            + QStringLiteral("Or write to us so that we can add the term in our dictionary");
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

QString PrefixPattern(const QString &searchText)
{
    return TrimSpaces(searchText).toLower();
}

QString WildcardPattern(const QString &searchText)
{
    return StripWildcards(searchText.toLower());
}

bool PrefixMatches(const QString &key, const QString &s)
{
    return key.toLower().startsWith(s);
}

bool WildcardMatches(const QString &key, const QString &p)
{
    if (key.isEmpty())
        return false;
    return key.toLower().contains(p);
}

namespace {

// Runs "Select * from tarot" on the installed dictionary and hands every row's cursor to
// visit until it returns false. Gives the number of rows visited; a file that cannot be
// opened or read, or whose table lacks "Key" (or "Link" when asked for), counts as empty.
template <typename Visit>
qsizetype walkInstalled(const QString &programFolder, bool needsLink, Visit visit)
{
    DictionaryConnection connection(InstalledDictionaryPath(programFolder),
                                    DictionaryConnection::Access::ReadWrite);
    DictionaryCursor rows(connection, InstalledQueryText());
    if (!rows.hasKey() || (needsLink && !rows.hasLink()))
        return 0;
    qsizetype count = 0;
    while (rows.next()) {
        ++count;
        if (!visit(rows))
            break;
    }
    return count;
}

} // namespace

QStringList ReadKeywordList(const QString &programFolder)
{
    QStringList keys;
    walkInstalled(programFolder, false, [&keys](const DictionaryCursor &row) {
        keys.append(row.key());
        return true;
    });
    return keys;
}

KeywordMatches FindPrefixMatches(const QString &programFolder, const QString &s)
{
    KeywordMatches found;
    found.rowsRead = walkInstalled(programFolder, false, [&found, &s](const DictionaryCursor &row) {
        const QString key = row.key();
        if (PrefixMatches(key, s))
            found.keys.append(key);
        return true;
    });
    return found;
}

KeywordMatches FindWildcardMatches(const QString &programFolder, const QString &p)
{
    KeywordMatches found;
    found.rowsRead = walkInstalled(programFolder, false, [&found, &p](const DictionaryCursor &row) {
        const QString key = row.key();
        if (WildcardMatches(key, p))
            found.keys.append(key);
        return true;
    });
    return found;
}

std::optional<QString> FindLinkOfKey(const QString &programFolder, const QString &lowerKey)
{
    std::optional<QString> link;
    walkInstalled(programFolder, true, [&link, &lowerKey](const DictionaryCursor &row) {
        if (row.key().toLower() != lowerKey)
            return true;
        link = row.link();
        return false;
    });
    return link;
}

namespace {

// The full list with the empty-search message: an exactly empty box in Enter and Display.
DictionaryAction refillAndAskForTerm(const QString &programFolder)
{
    DictionaryAction action;
    action.keywords = ReadKeywordList(programFolder);
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
        action.keywords = FindPrefixMatches(panel.programFolder, PrefixPattern(panel.keyText)).keys;
    } else {
        const QString p = WildcardPattern(panel.keyText);
        action.dictionaryLink = p;
        action.keywords = FindWildcardMatches(panel.programFolder, p).keys;
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
        // A dictionary without rows (or one that cannot be read) leaves the list as it was.
        if (found.rowsRead > 0) {
            listed = found.keys.size();
            action.keywords = std::move(found.keys);
        }
    } else {
        const QString p = WildcardPattern(panel.keyText);
        action.dictionaryLink = p;
        action.keywords = FindWildcardMatches(panel.programFolder, p).keys;
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
    if (std::optional<QString> found = FindLinkOfKey(panel.programFolder, lowered))
        link = *found;
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

DictionaryAction KeywordDoubleClicked(const DictionaryPanel &panel)
{
    return openEntry(panel, false);
}

DictionaryAction KeyTextChanged(const DictionaryPanel &panel)
{
    DictionaryAction action;
    if (TrimSpaces(panel.keyText).isEmpty())
        action.keywords = ReadKeywordList(panel.programFolder);
    return action;
}

} // namespace kesto
