#pragma once

#include <QString>
#include <exception>

// Base of the program's own errors; the general error handler shows Message.
class Exception : public std::exception
{
public:
    explicit Exception(QString message);
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

// A text that should hold a number or a time but does not.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be opened, created, read or written; the message names the path.
class EFileError : public Exception
{
public:
    using Exception::Exception;
};

// A broken precondition inside the program.
class EAssertionFailed : public Exception
{
public:
    EAssertionFailed(const QString& message, const QString& source, int line);
};
