// Settings into the HTTP client's proxy record.
#include "ProxyFromSettings.h"

#include "Exception.h"
#include "IniHelpers.h"
#include "IniInteger.h"
#include "Params.h"
#include "ProxySettings.h"

void applyProxyParams(const AppParams& params, ProxySettings& proxy)
{
    if (params.noProxy) {
        proxy.clear();
        return;
    }
    proxy.setProxyServer(params.address);
    // Stored by hand or by an older Options dialog, a port may carry blanks around it.
    const std::optional<std::int32_t> port = parseIniInteger(trimBlanks(params.port));
    if (!port) {
        throw Exception("'" + params.port + "' is not a valid integer value");
    }
    proxy.setProxyPort(*port);
    proxy.setProxyUsername(params.userName);
    proxy.setProxyPassword(params.password);
}
