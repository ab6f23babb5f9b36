#include "ui/web/mdibrowserhost.h"

#include "ui/mainwindow/frmmdi.h"
#include "core/platform/twips.h"

#include <QLineEdit>
#include <QToolBar>

namespace kesto {

QString MdiBrowserHost::searchText() const { return m_frame.txtKey ? m_frame.txtKey->text() : QString(); }

HostMetrics MdiBrowserHost::metrics() const
{
    const qreal dpiX = m_frame.logicalDpiX();
    const qreal dpiY = m_frame.logicalDpiY();
    auto width = [dpiX](const QWidget *w) { return w ? pixelsToTwips(w->sizeHint().width(), dpiX) : 0; };
    // Panels report their design size, which holds whether or not they are shown.
    auto height = [dpiY](const QWidget *w) { return w ? pixelsToTwips(w->sizeHint().height(), dpiY) : 0; };
    HostMetrics m;
    m.frameWidth = pixelsToTwips(m_frame.width(), dpiX);
    m.frameHeight = pixelsToTwips(m_frame.height(), dpiY);
    m.leftPanelWidth = width(m_frame.picLeft);
    m.topPanelHeight = height(m_frame.picTop);
    m.bottomPanelHeight = height(m_frame.picBottom);
    m.toolbarHeight = m_frame.TB ? pixelsToTwips(m_frame.TB->height(), dpiY) : 0;
    return m;
}

void MdiBrowserHost::addChildWindow(QWidget *window) { m_frame.addChildWindow(window); }

} // namespace kesto
