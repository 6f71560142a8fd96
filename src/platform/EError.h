#pragma once
#include <QString>
#include <stdexcept>

// The program's failures carry the message a user is shown, exactly as written.
class EError : public std::runtime_error
{
public:
    explicit EError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// A file could not be found or read ("Can't locate file: " + name).
class EInOutError : public EError
{
public:
    using EError::EError;
};
