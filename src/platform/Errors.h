#pragma once

#include <QString>
#include <stdexcept>

// An error raised inside a multi-step operation (loading or saving the
// settings) and reported with its own text at that operation's boundary.
class EDayglassError : public std::runtime_error {
public:
    explicit EDayglassError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
