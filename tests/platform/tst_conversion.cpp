// SPDX-License-Identifier: MIT
// Option values as a host gives them: variants converted to numbers,
// Booleans and texts, and lists in comma text. Random and hostile text is
// replayed by fuzz_conversion and fuzz_commatext.
#include "platform/CommaText.h"
#include "platform/Conversion.h"
#include "platform/DataTable.h"

#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// `value` converted as `to` says ("int", "int64", "bool" or "text"); an
/// invalid variant when the conversion throws EConvertError.
QVariant convert(const QByteArray &to, const QVariant &value)
{
    try {
        if (to == "int")
            return VarToInt(value);
        if (to == "int64")
            return QVariant::fromValue(qint64(VarToInt64(value)));
        if (to == "bool")
            return VarToBool(value);
        return VarToStr(value);
    } catch (const EConvertError &) {
        return {};
    }
}

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void convert_data()
    {
        // An invalid expected value: the conversion must throw.
        addColumns<QByteArray, QVariant, QVariant>("to", "value", "expected");
        const auto row = [](const char *to, const char *name, const QVariant &value, const QVariant &expected) {
            QTest::addRow("%s: %s", to, name) << QByteArray(to) << value << expected;
        };
        row("int", "unassigned", QVariant(), 0);
        row("int", "byte", QVariant::fromValue<uchar>(200), 200);
        row("int", "text", QStringLiteral(" 258 "), 258);
        row("int", "8-bit text", QByteArray("-12"), -12);
        row("int", "fraction rounds", QStringLiteral("2.6"), 3);
        row("int", "double", 7.4, 7);
        row("int", "bool", true, 1);
        row("int", "word", QStringLiteral("abc"), QVariant());
        row("int", "empty text", QString(), QVariant());
        row("int", "too large", qlonglong(1) << 40, QVariant());
        row("int", "list", QStringList{"1"}, QVariant());
        row("int64", "beyond 32 bits", qlonglong(1) << 40, QVariant::fromValue(qint64(1) << 40));
        row("int64", "pointer", QVariant::fromValue(quintptr(0x7fff12345678)),
            QVariant::fromValue(qint64(0x7fff12345678)));
        row("int64", "too large", ~qulonglong(0), QVariant());
        row("bool", "unassigned", QVariant(), false);
        row("bool", "number", 2, true);
        row("bool", "zero", 0, false);
        row("bool", "TRUE text", QStringLiteral("TRUE"), true);
        row("bool", "false text", QByteArray("false"), false);
        row("bool", "number text", QStringLiteral("-1"), true);
        row("bool", "word", QStringLiteral("yes"), QVariant());
        row("text", "unassigned", QVariant(), QString());
        row("text", "8-bit text is UTF-8", QByteArray("\xc3\xa4x"), QStringLiteral("\u00e4x"));
        row("text", "number", 12, QStringLiteral("12"));
        row("text", "size", QSize(1, 2), QVariant());
    }
    void convert()
    {
        QFETCH(QByteArray, to);
        QFETCH(QVariant, value);
        QFETCH(QVariant, expected);
        QCOMPARE(::convert(to, value), expected);
    }

    // `text` reads as `entries`, which survive writing and reading again;
    // where `written`, writing gives `text`.
    void commaText_data()
    {
        addColumns<QString, QStringList, bool>("text", "entries", "written");
        addRow("empty", "", QStringList{}, true);
        addRow("blanks around entries", "Name, Rank,Links", QStringList{"Name", "Rank", "Links"}, false);
        addRow("empty middle", "120,,80", QStringList{"120", "", "80"}, true);
        addRow("trailing comma", "a,", QStringList{"a", ""}, true);
        addRow("leading comma", ",a", QStringList{"", "a"}, true);
        addRow("quote doubled", "\"x\"\"y\"", QStringList{"x\"y"}, true);
        addRow("comma quoted", "\"a,b\",c", QStringList{"a,b", "c"}, true);
        addRow("unterminated quote takes rest", "a,\"b, c", QStringList{"a", "b, c"}, false);
        addRow("text after closing quote is a new entry", "\"ab\"cd,e", QStringList{"ab", "cd", "e"}, false);
        addRow("control chars separate", QString("a\x01z"), QStringList{"a", "z"}, false);
        addRow("NUL ends the text", QString::fromUtf16(u"a,b\0,c", 6), QStringList{"a", "b"}, false);
    }
    void commaText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QFETCH(bool, written);
        QCOMPARE(splitCommaText(text), entries);
        QCOMPARE(splitCommaText(joinCommaText(entries)), entries);
        if (written)
            QCOMPARE(joinCommaText(entries), text);
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
