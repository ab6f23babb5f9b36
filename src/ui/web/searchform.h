#pragma once
#include <QString>

namespace kesto {

// The web search's form: a page whose body holds, centred between two comments, one GET
// form with the text field "q", the button "sa" and the custom-search hidden fields.
// `action` is the address the form submits to, `client` the custom-search client
// identifier, `home` the search engine's home page (the logo links there).
QString SearchFormHtml(const QString &action, const QString &client, const QString &home);

// A script that puts `formHtml` into the current document's body, sets the field named q
// (any case) to `query` and clicks the button named sa. It evaluates to true when both were
// found.
QString SearchFormScript(const QString &formHtml, const QString &query);

} // namespace kesto
