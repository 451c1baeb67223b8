#pragma once

#include <string>

// A pseudo-terminal pair of the test's own: the library opens the slave device by its
// path, the test plays the terminal on the master. The test also holds the slave open,
// so the line stays up between the library's opens and its settings can be read.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& device() const { return device_; }
    int slave() const { return slave_; }

    // Writes bytes as the terminal.
    void send(const std::string& bytes) const;
    // What the library wrote, waiting at most timeoutMs for count bytes.
    std::string receive(std::size_t count, int timeoutMs) const;
    // The terminal goes away: closes the master side and the held slave.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};
