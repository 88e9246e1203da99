// SPDX-License-Identifier: MIT
// Comma text's rules; random and hostile text is replayed by fuzz_commatext.
#include "platform/CommaText.h"

#include <QTest>

using namespace selectframe;

class TestCommaText : public QObject
{
    Q_OBJECT

private slots:
    // `text` reads as `entries` (a null text: entries only), which survive
    // writing and reading again; where `written`, writing gives `text`.
    void readAndWrite_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("written");
        const auto row = [](const char *name, const QString &text, const QStringList &entries, bool written = false) {
            QTest::newRow(name) << text << entries << written;
        };
        row("empty", "", {}, true);
        row("only blanks", " \t\r\n", {});
        row("blanks around entries", "Name, Rank,Links", {"Name", "Rank", "Links"});
        row("unquoted blank ends entry", "Search engine", {"Search", "engine"});
        row("plain", "1,2", {"1", "2"}, true);
        row("empty middle", "120,,80", {"120", "", "80"}, true);
        row("trailing comma", "a,", {"a", ""}, true);
        row("comma then blank adds nothing", "a, ", {"a"});
        row("leading comma", ",a", {"", "a"}, true);
        row("lone comma", ",", {"", ""}, true);
        row("blank quoted", "\"a b\",c", {"a b", "c"}, true);
        row("quote doubled", "\"x\"\"y\"", {"x\"y"}, true);
        row("comma quoted", "\"a,b\",c", {"a,b", "c"}, true);
        row("empty quoted", "\"\"", {""}, true);
        row("unterminated quote takes rest", "a,\"b, c", {"a", "b, c"});
        row("text after closing quote is a new entry", "\"ab\"cd,e", {"ab", "cd", "e"});
        row("control chars separate",
            QString("a\x01"
                    "b"),
            {"a", "b"});
        row("NUL ends the text", QString::fromUtf16(u"a,b\0,c", 6), {"a", "b"});
        row("unicode", QString::fromUtf8("Größe,日本"), {QString::fromUtf8("Größe"), QString::fromUtf8("日本")}, true);
        row("awkward ids", {}, {"with blank", "with,comma", "with\"quote", "", "\"", ",", "  lead", "tail "});
        row("empty first", {}, {"", "x"});
        row("tabs and newlines", {}, {"a\tb", "c\nd"});
        row("unicode with comma", {}, {QString::fromUtf8("Ünïcødé name"), QString::fromUtf8("中文,逗号")});
    }
    void readAndWrite()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QFETCH(bool, written);
        if (!text.isNull())
            QCOMPARE(splitCommaText(text), entries);
        QCOMPARE(splitCommaText(joinCommaText(entries)), entries);
        if (written)
            QCOMPARE(joinCommaText(entries), text);
    }
};

QTEST_GUILESS_MAIN(TestCommaText)
#include "tst_commatext.moc"
