// SPDX-License-Identifier: MIT
// Column widths remembered in the user's settings. Random and hostile stored
// text is replayed by fuzz_layout.
#include "model/RememberedLayout.h"
#include "platform/TestSettingsScope.h"

#include "hub/NamedParams.h"

#include <selectframe/FrameKeys.h>

#include <QTest>

#include <memory>

using namespace selectframe;

/// No index beyond this is ever stored.
constexpr int kIndexBound = 10000;

class TestRememberedLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_rememberedlayout"));
        QVERIFY(m_scope->inTestLocation());
    }
    void init() { m_scope->removeFile(); }
    void cleanupTestCase() { m_scope.reset(); }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("empty") << "" << QList<int>();
        QTest::newRow("by index") << "1=250,2=-90" << QList<int>{0, 250, 90};
        QTest::newRow("capped") << "0=5000" << QList<int>{800};
        QTest::newRow("zero") << "0=0" << QList<int>{0};
        QTest::newRow("grows to the index") << "5=10" << QList<int>{0, 0, 0, 0, 0, 10};
        QTest::newRow("later entry wins") << "0=5,0=7" << QList<int>{7, 0};
        QTest::newRow("negative index ignored") << "-1=5,0=3" << QList<int>{3, 0};
        QTest::newRow("not numeric") << "a=1,1=b,=3,4=,x" << QList<int>{0, 0, 0, 0, 0};
        QTest::newRow("second equals belongs to width") << "0=1=2" << QList<int>{0};
        QTest::newRow("blanks split entries") << "0 = 5" << QList<int>{0, 0, 0};
        QTest::newRow("quoted entry") << "\"1=7\"" << QList<int>{0, 7};
        QTest::newRow("most negative width") << "0=-2147483648" << QList<int>{800};
        QTest::newRow("index beyond int") << "99999999999=5" << QList<int>{0};
        QTest::newRow("absurd index") << "2000000000=5" << QList<int>{0};
        QTest::newRow("at the index bound")
            << QStringLiteral("%1=5").arg(kIndexBound) << (QList<int>(kIndexBound, 0) << 5);
        QTest::newRow("past the index bound") << QStringLiteral("%1=5").arg(kIndexBound + 1) << QList<int>{0};
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, widths);
        QCOMPARE(parseColumnWidths(text), widths);
    }

    // Without a key named by "option://ui" the store is not touched; a
    // named key that is missing is read without being created.
    void touchesNothingWithoutKey_data()
    {
        QTest::addColumn<QVariant>("ui");
        QTest::newRow("unset") << QVariant();
        QTest::newRow("empty text") << QVariant(QString());
        QTest::newRow("empty 8-bit text") << QVariant(QByteArray());
        QTest::newRow("no key name") << QVariant(QStringLiteral("\\"));
        QTest::newRow("missing key") << QVariant(QStringLiteral("Dialogs\\Nowhere"));
    }
    void touchesNothingWithoutKey()
    {
        QFETCH(QVariant, ui);
        IPtr<INamedParams> options(new TNamedParams);
        if (ui.isValid())
            options->SetValue(keys::OptionUi, ui);
        QCOMPARE(ReadColumnWidths(options.get()), QList<int>());
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }
};

QTEST_GUILESS_MAIN(TestRememberedLayout)
#include "tst_rememberedlayout.moc"
