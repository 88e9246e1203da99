// SPDX-License-Identifier: MIT
// The one exception class the select frame library raises.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace selectframe {

/// A failure the library reports by message only ("Frame is already
/// initialized", "At least one column should be present").
class EFrameException : public std::exception
{
public:
    explicit EFrameException(const QString &message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace selectframe
