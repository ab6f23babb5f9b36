#pragma once
// A named control of a window, as a test reaches it: by its object name, the way a user's
// tools see it, never through the window's own members.
#include <QObject>
#include <QString>
#include <QtGlobal>

namespace kesto::test {

// The first descendant of parent of type T named name. A missing control is a fault of the
// window under test, so the test stops at once, naming it, rather than crashing later on a
// null pointer.
template<class T>
T *child(const QObject *parent, const char *name)
{
    T *found = parent ? parent->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        qFatal("no child %s of type %s under %s", name, T::staticMetaObject.className(),
               parent ? qPrintable(parent->objectName()) : "a null parent");
    return found;
}

} // namespace kesto::test
