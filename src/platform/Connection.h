#pragma once

// How the machine reaches the Internet, as far as it can tell: LAN when a
// network interface other than loopback is up and running, else none.
enum class ConnectionType { None, Modem, LAN, Proxy };

ConnectionType GetConnectionType();
bool IsConnected();
