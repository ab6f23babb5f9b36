#include "core/platform/internettest.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

namespace kesto {

static bool anyInterfaceUp()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning)
            || (flags & QNetworkInterface::IsLoopBack))
            continue;
        if (!iface.addressEntries().isEmpty())
            return true;
    }
    return false;
}

bool detectInternetConnection()
{
    if (QNetworkInformation::loadDefaultBackend()
        || QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        if (QNetworkInformation *info = QNetworkInformation::instance()) {
            if (info->supports(QNetworkInformation::Feature::Reachability)) {
                const auto reach = info->reachability();
                if (reach != QNetworkInformation::Reachability::Unknown)
                    return reach == QNetworkInformation::Reachability::Online;
            }
        }
    }
    return anyInterfaceUp();
}

} // namespace kesto
