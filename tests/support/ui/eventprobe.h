#pragma once
#include <QEvent>
#include <QObject>

#include <functional>

namespace kesto::test {

// Counts the events of one type a watched object receives, and calls back on each.
class EventProbe : public QObject
{
public:
    EventProbe(QObject *watched, QEvent::Type type, std::function<void()> callback)
        : m_type(type),
          m_callback(std::move(callback))
    {
        watched->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type) {
            ++count;
            if (m_callback)
                m_callback();
        }
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_callback;
};

} // namespace kesto::test
