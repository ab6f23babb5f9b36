#include "core/platform/maker.h"
#include "core/platform/makerconfig.h"

namespace kesto::maker {

QString siteAddress() { return QStringLiteral(KESTO_MAKER_SITE); }
QString forumName() { return QStringLiteral(KESTO_FORUM_NAME); }
QString searchHome() { return QStringLiteral(KESTO_SEARCH_HOME); }
QString searchAction() { return QStringLiteral(KESTO_SEARCH_ACTION); }
QString searchClient() { return QStringLiteral(KESTO_SEARCH_CLIENT); }
QString version() { return QStringLiteral(KESTO_VERSION); }
QString windowTitle() { return QStringLiteral("Kesto v") + version(); }
QString cardTableTitle() { return QStringLiteral("Kesto v1.45"); }

} // namespace kesto::maker
