// SPDX-License-Identifier: MIT
#include "UserSettingsStore.h"

#include <QSettings>

namespace selectframe {

namespace {

/// The settings group of a backslash-separated key path; empty when the
/// path names no key at all (so it never resolves to the whole store).
QString groupOf(const QString &keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

/// A key exists while it holds a value or a sub-key.
bool groupHasEntries(const QSettings &settings)
{
    return !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
}

/// The key's unnamed value, written to make an empty key exist.
const QString defaultValueName = QStringLiteral(".");

} // namespace

TUserSettingsStore::TUserSettingsStore() : m_settings(std::make_unique<QSettings>())
{}

TUserSettingsStore::~TUserSettingsStore()
{
    closeKey();
}

bool TUserSettingsStore::openKey(const QString &keyPath, bool canCreate)
{
    closeKey();
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || m_settings->status() != QSettings::NoError)
        return false;
    if (canCreate && !m_settings->isWritable())
        return false;
    m_settings->beginGroup(group);
    if (!groupHasEntries(*m_settings)) {
        if (!canCreate) {
            m_settings->endGroup();
            return false;
        }
        m_settings->setValue(defaultValueName, QString());
        m_settings->sync();
        if (m_settings->status() != QSettings::NoError) {
            m_settings->endGroup();
            return false;
        }
    }
    m_open = true;
    m_writable = canCreate;
    return true;
}

bool TUserSettingsStore::closeKey()
{
    if (!m_open)
        return true;
    m_settings->endGroup();
    m_open = false;
    if (!m_writable)
        return true;
    m_writable = false;
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

bool TUserSettingsStore::keyExists(const QString &keyPath) const
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty())
        return false;
    // A fresh reader, so the open key's group stays as it is.
    QSettings settings;
    settings.beginGroup(group);
    return groupHasEntries(settings);
}

QString TUserSettingsStore::readString(const QString &name) const
{
    if (!m_open)
        return QString();
    return m_settings->value(name).toString();
}

bool TUserSettingsStore::writeString(const QString &name, const QString &value)
{
    if (!m_open || !m_writable)
        return false;
    m_settings->setValue(name, value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace selectframe
