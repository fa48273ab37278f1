#pragma once

#include <QString>

// A named lock that other software can look for to see that the program
// runs: a file in the runtime folder held with a shared lock for the life
// of the object. Nothing depends on it succeeding.
class NamedMutex {
public:
    explicit NamedMutex(const QString& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

private:
    int m_fd = -1;
};
