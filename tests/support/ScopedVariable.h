#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

// Sets (or, with no value, unsets) an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::optional<QString>& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~ScopedVariable() {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};
