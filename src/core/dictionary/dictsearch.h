#pragma once
#include <QString>
#include <QStringList>
#include <optional>

namespace kesto {

// The search kind chosen with the panel's option buttons.
enum class SearchKind {
    Exact, // optExact "Exact Search": prefix match
    WildCard, // optWildCard "Use WildCard (*)": substring match, asterisks removed
    Google, // optGoogle "Google Search": hands the text to the web search
};

enum class DictMessage {
    None,
    EmptySearch, // "Please Enter Search Term"
    NotFound, // "Keyword not found - Please search in google" CR "Or write to us ..."
    InUse, // another program holds the dictionary locked; nothing could be read
};

// The message's text; empty for None. Both are information messages, after which the
// focus goes back to the search box.
QString DictMessageText(DictMessage message);

// ---- Matching rules ---------------------------------------------------------------------

// The text with leading and trailing blanks (code 32 only) removed.
QString TrimSpaces(const QString &text);
// The text with every "*" removed, all other characters kept in order.
QString StripWildcards(const QString &text);
// s of the prefix match: the search text trimmed and lower-cased.
QString PrefixPattern(const QString &searchText);
// p of the wildcard match: the search text lower-cased (untrimmed), asterisks removed.
QString WildcardPattern(const QString &searchText);
// True when the lower-cased key starts with s; an empty s matches every key.
bool PrefixMatches(const QString &key, const QString &s);
// True when p occurs in the lower-cased key; an empty key never matches, an empty p
// matches every other key.
bool WildcardMatches(const QString &key, const QString &p);

// ---- Reads of the installed dictionary ----------------------------------------------------
// Each opens <programFolder>/tarot.dll on its own connection, runs "Select * from tarot"
// and walks the rows in the file's order. A file that cannot be opened or read gives an
// empty result.

// A file that another program holds locked is waited for only briefly (kReadBusyTimeoutMs);
// then the read reports it through inUse, where asked for.
constexpr int kReadBusyTimeoutMs = 250;

// The keyword list's rows: every "Key", in read order.
QStringList ReadKeywordList(const QString &programFolder, bool *inUse = nullptr);

struct KeywordMatches
{
    QStringList keys; // matching keys, in read order
    qsizetype rowsRead = 0; // rows of the dictionary, matching or not
    bool inUse = false; // another program held the file locked: nothing was read
    bool readable = false; // the file opened and its table has "Key", whether or not it has rows
};
KeywordMatches FindPrefixMatches(const QString &programFolder, const QString &s);
KeywordMatches FindWildcardMatches(const QString &programFolder, const QString &p);

// The "Link" of the first row whose lower-cased "Key" equals the given (lower-cased) text;
// nothing when no row does.
std::optional<QString> FindLinkOfKey(const QString &programFolder, const QString &lowerKey, bool *inUse = nullptr);

// ---- The panel's actions ------------------------------------------------------------------

// What a handler of the dictionary panel reads.
struct DictionaryPanel
{
    QString programFolder;
    SearchKind kind = SearchKind::Exact;
    QString keyText; // txtKey as it stands
    qsizetype listedRows = 0; // rows in lstKeys now
    std::optional<QString> selectedRow; // text of the selected lstKeys row, if any
};

// What the browser windows are asked to do, after any message.
enum class BrowserStep {
    None,
    OpenWebSearch, // close the web-search window if open, show it anew (it searches txtKey)
    ShowDictionary, // show the dictionary browser, hide the web-search window
    Navigate, // navigate the dictionary browser to address (nothing shown or hidden)
    NavigateAndShow, // navigate to address, show the dictionary browser, hide the web search
};

// The result of one handler, applied by the screen in this order: the list, the search
// text, DictionaryLink, the message (then focus to txtKey), the browser step. A message
// and a browser step never come together.
struct DictionaryAction
{
    std::optional<QStringList> keywords; // clear lstKeys, then add these rows in order
    std::optional<QString> keyText; // new txtKey text
    std::optional<QString> dictionaryLink; // new DictionaryLink
    DictMessage message = DictMessage::None;
    BrowserStep browser = BrowserStep::None;
    QString address; // for Navigate and NavigateAndShow
};

// Enter (code 13) in txtKey.
DictionaryAction EnterPressed(const DictionaryPanel &panel);
// cmdSearch "&Search".
DictionaryAction SearchClicked(const DictionaryPanel &panel);
// cmdDisplay "&Display".
DictionaryAction DisplayClicked(const DictionaryPanel &panel);
// Double-click on lstKeys.
DictionaryAction KeywordDoubleClicked(const DictionaryPanel &panel);
// Every change of txtKey's text: a blank box restores the full list.
DictionaryAction KeyTextChanged(const DictionaryPanel &panel);

} // namespace kesto
