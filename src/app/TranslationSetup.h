// Where translations go and how long their waits are. The program passes the defaults; tests point
// it at a local stand-in for the service and shorten the waits.
#pragma once

#include "RequestProfile.h"

#include <QByteArray>
#include <chrono>
#include <string>

// The translation service's address, unless the environment names another
// (QUENDRA_SERVICE_ADDRESS, for tests against a local stand-in).
inline std::string serviceAddressFromEnvironment()
{
    const QByteArray named = qgetenv("QUENDRA_SERVICE_ADDRESS");
    return named.isEmpty() ? std::string(DefaultServiceBaseAddress) : named.toStdString();
}

struct TranslationSetup
{
    // Scheme and host of the translation service, without a trailing slash.
    std::string serviceBaseAddress = serviceAddressFromEnvironment();
    // A PEM file of trusted roots for the service's certificate; empty means the system's.
    std::string rootCertFile;
    // The translation history's file; empty means history.sqlite3 in the user's data folder.
    std::string historyFile;
    // How long connecting to the service may take.
    int connectTimeoutMs = 30000;
    // How long one second of a wait before a retry lasts.
    std::chrono::milliseconds retrySecond {1000};
    // How long a connection to the service may stay unused before it is closed.
    std::chrono::milliseconds idleConnectionLimit {60000};
};
