#pragma once
#include "ui/web/browserhost.h"

namespace kesto {

class frmMDI;

// The main window as its browser windows see it: its search box, its size and its panels'
// design sizes, and its client area.
class MdiBrowserHost : public BrowserHost
{
public:
    explicit MdiBrowserHost(frmMDI &frame) : m_frame(frame) {}

    QString searchText() const override;
    HostMetrics metrics() const override;
    void addChildWindow(QWidget *window) override;

private:
    frmMDI &m_frame;
};

} // namespace kesto
