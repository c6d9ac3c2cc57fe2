#include "Errors.h"

Exception::Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}

EAssertionFailed::EAssertionFailed(const QString& message, const QString& source, int line)
    : Exception(QStringLiteral("%1 (%2, line %3)").arg(message, source).arg(line))
{
}
