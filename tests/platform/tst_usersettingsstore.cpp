#include "platform/TestSettingsScope.h"
#include "platform/UserSettingsStore.h"

#include <QTest>

#include <memory>

using namespace selectframe;

class TestUserSettingsStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_usersettingsstore"));
        QVERIFY2(m_scope->inTestLocation(), qPrintable(m_scope->fileName()));
    }
    void init() { m_scope->removeFile(); }
    void cleanupTestCase() { m_scope.reset(); }

    void readOnlyOpenCreatesNothing()
    {
        TUserSettingsStore store;
        QVERIFY(!store.openKey(QStringLiteral("Dialogs\\Missing"), false));
        QVERIFY(!store.isOpen());
        QCOMPARE(store.readString(QStringLiteral("SelectTree_Width")), QString());
        QVERIFY(!store.writeString(QStringLiteral("SelectTree_Width"), QStringLiteral("0=1")));
        QVERIFY(store.closeKey());
        QVERIFY(!store.keyExists(QStringLiteral("Dialogs\\Missing")));
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }

    void createWriteAndReadBack()
    {
        {
            TUserSettingsStore store;
            QVERIFY(store.openKey(QStringLiteral("Dialogs\\Select"), true));
            QVERIFY(store.writeString(QStringLiteral("SelectTree_Width"), QStringLiteral("0=150,2=80")));
            QVERIFY(store.closeKey());
        }
        QVERIFY(QFile::exists(m_scope->fileName()));
        // Backslashes separate sub-keys, as on the registry.
        QCOMPARE(QSettings().value(QStringLiteral("Dialogs/Select/SelectTree_Width")).toString(),
                 QStringLiteral("0=150,2=80"));

        TUserSettingsStore store;
        QVERIFY(store.keyExists(QStringLiteral("Dialogs\\Select")));
        QVERIFY(store.openKey(QStringLiteral("Dialogs\\Select"), false));
        QCOMPARE(store.readString(QStringLiteral("SelectTree_Width")), QStringLiteral("0=150,2=80"));
        QCOMPARE(store.readString(QStringLiteral("SelectTree_Sort")), QString());
        QVERIFY2(!store.writeString(QStringLiteral("SelectTree_Sort"), QStringLiteral("2=1")),
                 "a key opened for reading must refuse writes");
    }

    // Opening another key switches to it; redundant backslashes name the same
    // key; a key created empty exists.
    void reopeningSwitchesKeys()
    {
        TUserSettingsStore store;
        QVERIFY(store.openKey(QStringLiteral("Dialogs\\Empty"), true));
        QVERIFY(store.openKey(QStringLiteral("A"), true));
        QVERIFY(store.writeString(QStringLiteral("v"), QStringLiteral("in A")));
        QVERIFY(store.openKey(QStringLiteral("B\\C"), true));
        QVERIFY(store.writeString(QStringLiteral("v"), QStringLiteral("in C")));
        QVERIFY(store.openKey(QStringLiteral("A"), false));
        QCOMPARE(store.readString(QStringLiteral("v")), QStringLiteral("in A"));
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("B/C/v")).toString(), QStringLiteral("in C"));
        QVERIFY(!settings.contains(QStringLiteral("B/v")));
        QVERIFY(store.openKey(QStringLiteral("\\B\\\\C\\"), false));
        QCOMPARE(store.readString(QStringLiteral("v")), QStringLiteral("in C"));
        QVERIFY(store.keyExists(QStringLiteral("Dialogs\\Empty")));
    }

    void pathsWithoutKeyNameAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty") << QString();
        QTest::newRow("one backslash") << QStringLiteral("\\");
        QTest::newRow("backslashes") << QStringLiteral("\\\\\\");
    }
    void pathsWithoutKeyNameAreRefused()
    {
        QFETCH(QString, path);
        TUserSettingsStore store;
        QVERIFY(!store.openKey(path, true));
        QVERIFY(!store.keyExists(path));
        QVERIFY(!store.writeString(QStringLiteral("v"), QStringLiteral("x")));
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }

    // A store that cannot be written refuses to open for writing and
    // writes nothing anywhere else.
    void unwritableStoreRefuses()
    {
        const QString organisation = QCoreApplication::organizationName();
        const QString blocked = QStringLiteral("selectframe-tests-blocked");
        QCoreApplication::setOrganizationName(blocked);
        const QString fileName = QSettings().fileName();
        const QString directory = QFileInfo(fileName).absolutePath();
        QDir().rmdir(directory);
        // A plain file where the store's folder should be.
        QFile blocker(directory);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        bool opened = true;
        {
            TUserSettingsStore store;
            opened = store.openKey(QStringLiteral("Dialogs\\Select"), true);
            QVERIFY(!store.writeString(QStringLiteral("v"), QStringLiteral("x")));
        }
        QFile::remove(directory);
        QCoreApplication::setOrganizationName(organisation);
        QVERIFY(!opened);
        QVERIFY(!QFile::exists(fileName));
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }
};

QTEST_GUILESS_MAIN(TestUserSettingsStore)
#include "tst_usersettingsstore.moc"
