#include "ui/widgets/actions.h"

#include <QAction>

namespace kesto {

QAction *makeAction(const QString &name, const QString &caption, QObject *parent)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(name);
    return action;
}

} // namespace kesto
