#pragma once

namespace kesto {

// True when the machine appears to be online: QNetworkInformation's reachability where a
// backend loads, otherwise any interface that is up, running, not loopback and has an
// address.
bool detectInternetConnection();

} // namespace kesto
