#include "ui/web/searchform.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace kesto {

QString SearchFormHtml(const QString &action, const QString &client, const QString &home)
{
    QString logo = home;
    if (!logo.endsWith(u'/'))
        logo += u'/';
    logo += QStringLiteral("images/logo_sm.gif");
    // accept-charset matches the "ie" field, so that the engine reads the query in the
    // encoding the form announces, whatever the blank page's own encoding is.
    return QStringLiteral("<html>\n<body>\n<center>\n"
                          "<!-- Search Google -->\n"
                          "<form method=\"get\" action=\"")
        + action.toHtmlEscaped()
        + QStringLiteral("\" target=\"_top\" accept-charset=\"ISO-8859-1\">\n"
                         "<table bgcolor=\"#FFFFFF\">\n"
                         "<tr><td nowrap=\"nowrap\" valign=\"top\" align=\"left\" height=\"32\">\n"
                         "<a href=\"")
        + home.toHtmlEscaped() + QStringLiteral("\">\n<img src=\"") + logo.toHtmlEscaped()
        + QStringLiteral("\" border=\"0\" alt=\"Google\" align=\"middle\"></img></a>\n"
                         "<input type=\"text\" name=\"q\" size=\"31\" maxlength=\"255\" value=\"\"></input>\n"
                         "<input type=\"submit\" name=\"sa\" value=\"Search\"></input>\n"
                         "<input type=\"hidden\" name=\"client\" value=\"")
        + client.toHtmlEscaped()
        + QStringLiteral("\"></input>\n"
                         "<input type=\"hidden\" name=\"forid\" value=\"1\"></input>\n"
                         "<input type=\"hidden\" name=\"ie\" value=\"ISO-8859-1\"></input>\n"
                         "<input type=\"hidden\" name=\"oe\" value=\"ISO-8859-1\"></input>\n"
                         "<input type=\"hidden\" name=\"cof\" value=\"GALT:#008000;GL:1;DIV:#336699;VLC:663399;"
                         "AH:center;BGC:FFFFFF;LBGC:336699;ALC:0000FF;LC:0000FF;T:000000;GFNT:0000FF;"
                         "GIMP:0000FF;FORID:1;\"></input>\n"
                         "<input type=\"hidden\" name=\"hl\" value=\"en\"></input>\n"
                         "</td></tr></table>\n"
                         "</form>\n"
                         "<!-- Search Google -->\n"
                         "</center>\n</body>\n</html>\n");
}

// Texts go into the script as JSON strings, so no form text or query can break out of them.
static QString jsString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    // "[...]" without the brackets
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString SearchFormScript(const QString &formHtml, const QString &query)
{
    return QStringLiteral("(function () {\n"
                          "  document.body.innerHTML = ")
        + jsString(formHtml)
        + QStringLiteral(";\n"
                         "  var field = null, button = null;\n"
                         "  var inputs = document.getElementsByTagName('input');\n"
                         "  for (var i = 0; i < inputs.length; ++i) {\n"
                         "    var name = (inputs[i].name || '').toLowerCase();\n"
                         "    if (name === 'q' && !field) field = inputs[i];\n"
                         "    if (name === 'sa' && !button) button = inputs[i];\n"
                         "  }\n"
                         "  if (field) field.value = ")
        + jsString(query)
        + QStringLiteral(";\n"
                         "  if (button) button.click();\n"
                         "  return field !== null && button !== null;\n"
                         "})();");
}

} // namespace kesto
