#pragma once

#include <QString>

#include <stdexcept>

namespace lexamo {

/// An error the learner sees in the error box: its message is shown as it stands.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

/// The error for reading a string list outside 0..Count()-1.
Error indexError(qsizetype index);

} // namespace lexamo
