#include "platform/Conversion.h"

#include <QTest>

using namespace selectframe;

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void toInteger_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("unassigned") << QVariant() << 0;
        QTest::newRow("byte") << QVariant::fromValue<uchar>(200) << 200;
        QTest::newRow("negative") << QVariant(-5) << -5;
        QTest::newRow("text") << QVariant(QStringLiteral(" 258 ")) << 258;
        QTest::newRow("8-bit text") << QVariant(QByteArray("-12")) << -12;
        QTest::newRow("fraction rounds") << QVariant(QStringLiteral("2.6")) << 3;
        QTest::newRow("double") << QVariant(7.4) << 7;
        QTest::newRow("bool") << QVariant(true) << 1;
    }
    void toInteger()
    {
        QFETCH(QVariant, value);
        QFETCH(int, expected);
        QCOMPARE(VarToInt(value), expected);
    }

    void notAnInteger_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("word") << QVariant(QStringLiteral("abc"));
        QTest::newRow("empty text") << QVariant(QString());
        QTest::newRow("too large") << QVariant(qlonglong(1) << 40);
        QTest::newRow("list") << QVariant(QStringList{"1"});
    }
    void notAnInteger()
    {
        QFETCH(QVariant, value);
        QVERIFY_THROWS_EXCEPTION(EConvertError, VarToInt(value));
    }

    void wideIntegersKeepTheirRange()
    {
        QCOMPARE(VarToInt64(QVariant(qlonglong(1) << 40)), int64_t(1) << 40);
        QCOMPARE(VarToInt64(QVariant::fromValue(quintptr(0x7fff12345678))), int64_t(0x7fff12345678));
        QVERIFY_THROWS_EXCEPTION(EConvertError, VarToInt64(QVariant(~qulonglong(0))));
    }

    void toBoolean_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("unassigned") << QVariant() << false;
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("number") << QVariant(2) << true;
        QTest::newRow("zero") << QVariant(0) << false;
        QTest::newRow("TRUE text") << QVariant(QStringLiteral("TRUE")) << true;
        QTest::newRow("false text") << QVariant(QByteArray("false")) << false;
        QTest::newRow("number text") << QVariant(QStringLiteral("-1")) << true;
    }
    void toBoolean()
    {
        QFETCH(QVariant, value);
        QFETCH(bool, expected);
        QCOMPARE(VarToBool(value), expected);
    }

    void notABoolean()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, VarToBool(QVariant(QStringLiteral("yes"))));
    }

    void toText()
    {
        QCOMPARE(VarToStr(QVariant()), QString());
        QCOMPARE(VarToStr(QVariant(QByteArray("\xc3\xa4x"))), QStringLiteral("\u00e4x"));
        QCOMPARE(VarToStr(QVariant(12)), QStringLiteral("12"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, VarToStr(QVariant(QSize(1, 2))));
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
