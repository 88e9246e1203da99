// SPDX-License-Identifier: MIT
// Keeps a test's settings away from the user's own.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

/// Points the application's settings at a throw-away file in the test
/// location (a file on every platform, never the registry) and removes it
/// again; stops the test when the file would lie elsewhere. Create it
/// before anything else touches QSettings.
class TTestSettingsScope
{
public:
    explicit TTestSettingsScope(const QString &application)
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QCoreApplication::setOrganizationName(QStringLiteral("selectframe-tests"));
        QCoreApplication::setApplicationName(application);
        m_fileName = QSettings().fileName();
        const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        if (!root.contains(QLatin1String(".qttest")) || !m_fileName.startsWith(root + QLatin1Char('/')))
            qFatal("settings file %s lies outside the test location", qPrintable(m_fileName));
        removeFile();
    }
    ~TTestSettingsScope()
    {
        removeFile();
        QDir().rmdir(QFileInfo(m_fileName).absolutePath());
    }

    const QString &fileName() const { return m_fileName; }

    void removeFile() { QFile::remove(m_fileName); }

private:
    QString m_fileName;
};
