// SPDX-License-Identifier: MIT
// The per-user settings store, as the library keeps its remembered values.
#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace selectframe {

/// One key of the per-user settings store, under the host application's
/// own settings (organisation and application names of the running
/// application: the registry on Windows, a per-user file elsewhere). Key
/// paths separate sub-keys with backslashes, as registry paths do. Every
/// operation reports whether the store went along, so callers can leave
/// things alone when it refuses.
class TUserSettingsStore
{
public:
    TUserSettingsStore();
    ~TUserSettingsStore();
    TUserSettingsStore(const TUserSettingsStore &) = delete;
    TUserSettingsStore &operator=(const TUserSettingsStore &) = delete;

    /// Opens the key at `keyPath`, closing any open one. Without
    /// `canCreate` a missing key is not opened and nothing is written; with
    /// it the key is created when missing, and a store that cannot be
    /// written is refused. A path without any key name is refused.
    bool openKey(const QString &keyPath, bool canCreate);
    /// Finishes with the open key; false when the store failed to save.
    bool closeKey();
    bool isOpen() const { return m_open; }

    /// Whether the key at `keyPath` exists; leaves the open key alone.
    bool keyExists(const QString &keyPath) const;

    /// The string value `name` of the open key; empty when missing.
    QString readString(const QString &name) const;
    /// Writes and saves the string value `name`; false when no key is open
    /// for writing or the store failed to save.
    bool writeString(const QString &name, const QString &value);

private:
    std::unique_ptr<QSettings> m_settings;
    bool m_open = false;
    bool m_writable = false;
};

} // namespace selectframe
