// SPDX-License-Identifier: MIT
// The settings store over QSettings, keyed by backslash paths as on the
// registry.
#include "platform/DataTable.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserSettingsStore.h"

#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

class TestUserSettingsStore : public QObject
{
    Q_OBJECT

    TTestSettingsScope m_scope{QStringLiteral("tst_usersettingsstore")};

private slots:
    void init() { m_scope.removeFile(); }

    // A missing key opened for reading, or a path naming no key, opens
    // nothing, reads and writes nothing and creates no file.
    void refusedKeys_data()
    {
        addColumns<QString, bool>("path", "create");
        addRow("missing, read-only", "Dialogs\\Missing", false);
        addRow("empty", QString(), true);
        addRow("one backslash", "\\", true);
    }
    void refusedKeys()
    {
        QFETCH(QString, path);
        QFETCH(bool, create);
        TUserSettingsStore store;
        QVERIFY(!store.openKey(path, create) && !store.isOpen() && !store.writeString("v", "x"));
        QCOMPARE(store.readString("v"), QString());
        QVERIFY(store.closeKey() && !store.keyExists(path) && !QFile::exists(m_scope.fileName()));
    }

    // Backslashes separate sub-keys and redundant ones name the same key;
    // opening another key switches to it; a key created empty exists; a key
    // opened for reading refuses writes.
    void writeReadAndSwitchKeys()
    {
        {
            TUserSettingsStore store;
            QVERIFY(store.openKey("Dialogs\\Empty", true) && store.openKey("A", true));
            QVERIFY(store.writeString("v", "in A") && store.openKey("B\\C", true));
            QVERIFY(store.writeString("v", "in C") && store.closeKey());
        }
        QVERIFY(QFile::exists(m_scope.fileName()));
        QSettings settings;
        QCOMPARE(settings.value("B/C/v").toString(), QStringLiteral("in C"));
        QVERIFY(!settings.contains("B/v"));
        TUserSettingsStore store;
        QVERIFY(store.keyExists("Dialogs\\Empty") && store.openKey("A", false));
        QCOMPARE(store.readString("v"), QStringLiteral("in A"));
        QVERIFY(store.openKey("\\B\\\\C\\", false));
        QCOMPARE(store.readString("v"), QStringLiteral("in C"));
        QVERIFY2(store.readString("w").isEmpty() && !store.writeString("w", "x"),
                 "a key opened for reading refuses writes");
    }

    // A store that cannot be written (a plain file where its folder should
    // be) refuses to open for writing and writes nothing anywhere else.
    void unwritableStoreRefuses()
    {
        const QString organisation = QCoreApplication::organizationName();
        QCoreApplication::setOrganizationName(QStringLiteral("selectframe-tests-blocked"));
        const QString fileName = QSettings().fileName();
        const QString directory = QFileInfo(fileName).absolutePath();
        QDir().rmdir(directory);
        QFile blocker(directory);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        bool opened = true, written = true;
        {
            TUserSettingsStore store;
            opened = store.openKey("Dialogs\\Select", true);
            written = store.writeString("v", "x");
        }
        QFile::remove(directory);
        QCoreApplication::setOrganizationName(organisation);
        QVERIFY(!opened && !written && !QFile::exists(fileName) && !QFile::exists(m_scope.fileName()));
    }
};

QTEST_GUILESS_MAIN(TestUserSettingsStore)
#include "tst_usersettingsstore.moc"
