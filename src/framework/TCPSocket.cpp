#include "framework/TCPSocket.h"

#include "framework/Internal.h"
#include "framework/QtBridge.h"

#include <QHostAddress>
#include <QNetworkInterface>

namespace fw {

String TCPSocket::LocalAddress() const {
    if (const auto& seam = internal::TestSeams().localAddress) return String(*seam);
    for (const QHostAddress& address : QNetworkInterface::allAddresses())
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            return FromQString(address.toString());
    return "0.0.0.0";
}

}  // namespace fw
