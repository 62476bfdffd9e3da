// Socket failures, numbered and worded the way the rest of the program expects: the numbers are the
// Windows Sockets codes, so local errno and resolver codes are translated before they are raised.
#pragma once

#include "Exception.h"

class SocketError : public Exception
{
public:
    explicit SocketError(int code);

    int code() const { return m_code; }

    // "Socket Error # <code>" + CR LF + the code's text (empty for an unknown code).
    static std::string messageFor(int code);
    static int codeFromErrno(int error);
    static int codeFromResolver(int error);
    // Raises the exception that belongs to the code (NotASocket for 10038).
    [[noreturn]] static void raise(int code);
    [[noreturn]] static void raiseErrno(int error) { raise(codeFromErrno(error)); }

private:
    int m_code;
};

class NotASocket : public SocketError
{
public:
    NotASocket()
        : SocketError(10038)
    { }
};
