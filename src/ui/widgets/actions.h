#pragma once

class QAction;
class QObject;
class QString;

namespace kesto {

// A menu entry with its object name.
QAction *makeAction(const QString &name, const QString &caption, QObject *parent);

} // namespace kesto
