#include "model/RememberedLayout.h"
#include "platform/CommaText.h"
#include "platform/TestSettingsScope.h"

#include "hub/NamedParams.h"

#include <selectframe/FrameKeys.h>

#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace selectframe;

namespace {

/// No index beyond this is ever stored.
constexpr int kIndexBound = 10000;

/// What any width value must give, whatever it holds.
void verifySane(const QString &text, const QList<int> &widths)
{
    const qsizetype entries = splitCommaText(text).size();
    QVERIFY2(widths.size() <= std::max<qsizetype>(entries, kIndexBound + 1), qPrintable(text.left(80)));
    QVERIFY2(widths.size() >= entries, qPrintable(text.left(80)));
    for (int width : widths)
        QVERIFY2(width >= 0 && width <= 800, qPrintable(text.left(80)));
}

} // namespace

class TestRememberedLayout : public QObject
{
    Q_OBJECT

private:
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
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, widths);
        QCOMPARE(parseColumnWidths(text), widths);
    }

    void indexBound()
    {
        const QList<int> atBound = parseColumnWidths(QStringLiteral("%1=5").arg(kIndexBound));
        QCOMPARE(atBound.size(), kIndexBound + 1);
        QCOMPARE(atBound.last(), 5);
        QCOMPARE(parseColumnWidths(QStringLiteral("%1=5").arg(kIndexBound + 1)), QList<int>{0});
    }

    // Random and hostile stored values never crash, never allocate beyond
    // the bound and only yield widths in range.
    void fuzz()
    {
        QRandomGenerator rng(1205);
        const char16_t alphabet[] = u"0123456789=-,\" \t\x01\x1f" u"ax\xe9";
        for (int round = 0; round < 20000; ++round) {
            QString text;
            const int len = int(rng.bounded(60));
            for (int i = 0; i < len; ++i) {
                if (rng.bounded(10) == 0)
                    text += QString::number(qint64(rng.generate64()) >> rng.bounded(64));
                else
                    text += QChar(alphabet[rng.bounded(int(std::size(alphabet) - 1))]);
            }
            verifySane(text, parseColumnWidths(text));
        }
        const QStringList hostile{
            QString(100000, u'"'),
            QStringLiteral("\"0=5"),
            QString(200000, u','),
            QStringLiteral("0=5,") + QString(100000, u'9') + QStringLiteral("=1"),
            QStringLiteral("9999=800,") + QStringLiteral("10000=1,").repeated(20000),
            QStringLiteral("0=") + QString(100000, u'-'),
            QString::fromUtf16(u"0=5\0" u"1=6", 7),
            QString(300000, u'\x01'),
            QStringLiteral("4294967296=1,-0=-0"),
        };
        for (const QString &text : hostile)
            verifySane(text, parseColumnWidths(text));
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
