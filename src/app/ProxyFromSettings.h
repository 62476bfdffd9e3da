// The proxy part of the settings, applied to an HTTP client's proxy record. The main window and
// the command line share it, so both reach the service the same way.
#pragma once

struct AppParams;
class ProxySettings;

// Clears the record for a direct connection, or sets server, port, user name and password. A port
// that is not an integer raises "'<port>' is not a valid integer value" after the server is set.
void applyProxyParams(const AppParams& params, ProxySettings& proxy);
