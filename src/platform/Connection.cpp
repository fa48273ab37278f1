#include "platform/Connection.h"

#include <QNetworkInterface>

ConnectionType GetConnectionType() {
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) &&
            flags.testFlag(QNetworkInterface::IsRunning) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack))
            return ConnectionType::LAN;
    }
    return ConnectionType::None;
}

bool IsConnected() {
    return GetConnectionType() != ConnectionType::None;
}
