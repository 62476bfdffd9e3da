// A peer program started by a test fixture and stopped when the fixture ends, and the loopback
// port helpers such fixtures need.
#pragma once

#include <string>
#include <vector>

class ChildProcess
{
public:
    // Starts the program with its arguments; its output goes to logFile.
    ChildProcess(const std::vector<std::string>& arguments, const std::string& logFile);
    // Stops it with SIGTERM and reaps it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();

    // A loopback TCP port that was free a moment ago.
    static int freeLoopbackPort();
    // Whether something accepts connections on 127.0.0.1:port within timeoutMs.
    static bool waitUntilListening(int port, int timeoutMs);

private:
    int m_pid = -1;
};

// A new empty folder under /tmp whose name starts with prefix.
std::string makeTemporaryDirectory(const std::string& prefix);
std::string readWholeFile(const std::string& file);
void writeWholeFile(const std::string& file, const std::string& content);
