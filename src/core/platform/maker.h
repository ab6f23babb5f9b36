#pragma once
#include <QString>

namespace kesto::maker {

// The maker's web site address, without a trailing slash.
QString siteAddress();
// Name of the maker's discussion forum, shown in the reading banner and on the mode screen.
QString forumName();
// Home page of the search engine the dictionary's web search uses.
QString searchHome();
// Address the custom-search form submits to, and its client identifier.
QString searchAction();
QString searchClient();

// The program's version ("1.55") and the title its windows carry ("Kesto v1.55").
QString version();
QString windowTitle();
// The card table keeps the title of the release it was drawn in.
QString cardTableTitle();

} // namespace kesto::maker
