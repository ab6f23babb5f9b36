#include "ui/widgets/screenclose.h"

#include <QCloseEvent>
#include <QWidget>

namespace kesto {

void ScreenClose::navigate(QWidget *window)
{
    m_navigating = true;
    window->close();
}

void ScreenClose::accept(QCloseEvent *event, const std::function<void()> &endProgram) const
{
    event->accept();
    if (!m_navigating)
        endProgram();
}

} // namespace kesto
