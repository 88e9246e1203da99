// SPDX-License-Identifier: MIT
// Finding a text in a long one and ordering texts, each against Qt's own
// search and collation as the reference, and preparing texts: lower-casing
// ASCII, narrowing to Latin-1, comparing and hashing IDs case-blind.
#include "platform/DataTable.h"
#include "platform/FoldedText.h"
#include "platform/TextCollator.h"
#include "platform/TextSearch.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

/// Random texts of `count` units or fewer out of `alphabet`.
QString randomText(QRandomGenerator &random, const QString &alphabet, int from, int to)
{
    QString text;
    for (int n = random.bounded(from, to); n > 0; --n)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

class TestTextMatching : public QObject
{
    Q_OBJECT

private slots:
    void search_data()
    {
        addColumns<QString, QString, int>("haystack", "needle", "from");
        addRow("empty needle", "abc", QString(), 2);
        addRow("beyond Latin-1", QStringLiteral("поиск по сети, поисковик"), QStringLiteral("исков"), 0);
        addRow("units sharing a byte", QString(9, QChar(0x161)) + u'a', "a", 0);
        // Every block boundary and tail length: random texts of few
        // letters, so that partial matches are everywhere.
        QRandomGenerator random(7);
        for (int round = 0; round < 3000; ++round)
            QTest::addRow("random %d", round)
                << randomText(random, "abc", 0, 70) << randomText(random, "abc", 1, 6) << random.bounded(0, 10);
    }
    void search()
    {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(int, from);
        // The byte search is asked too when both texts are Latin-1.
        const qsizetype expected = from > haystack.size() ? -1 : QStringView(haystack).indexOf(needle, from);
        QCOMPARE(FindText(QStringView(haystack), from, QStringView(needle)), expected);
        const QByteArray h = haystack.toLatin1(), n = needle.toLatin1();
        if (QString::fromLatin1(h) == haystack && QString::fromLatin1(n) == needle)
            QCOMPARE(FindText(QByteArrayView(h), from, QByteArrayView(n)), expected);
    }

    // Every length up to two blocks and more, with a unit that stops the
    // fast way at every place: what is written when it says yes is Qt's own
    // lower-casing and Latin-1.
    void preparesTexts()
    {
        QRandomGenerator random(11);
        const char16_t stoppers[] = {0, 0x7f, 0x80, 0xe9, 0xff, 0x100, 0x42f, 0xffff};
        for (int round = 0; round < 2000; ++round) {
            QString text(random.bounded(0, 40), Qt::Uninitialized);
            for (QChar &c : text)
                c = QChar(char16_t(random.bounded(0x20, 0x7f)));
            if (!text.isEmpty() && random.bounded(2))
                text[random.bounded(text.size())] = QChar(stoppers[random.bounded(int(std::size(stoppers)))]);
            const auto *units = reinterpret_cast<const char16_t *>(text.constData());
            QString lowered(text.size(), Qt::Uninitialized);
            const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() - 1u < 0x7fu; });
            QCOMPARE(LowerAscii(units, text.size(), reinterpret_cast<char16_t *>(lowered.data())), ascii);
            if (ascii)
                QCOMPARE(lowered, text.toLower());
            QByteArray narrow(text.size(), Qt::Uninitialized);
            const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
            QCOMPARE(NarrowLatin1(units, text.size(), narrow.data()), latin1);
            if (latin1)
                QCOMPARE(narrow, text.toLatin1());
        }
    }

    // Lengths that differ only after folding, and letters beyond the BMP,
    // are what a hash collision hands the comparison.
    void foldsCase_data()
    {
        addColumns<QString, QString, bool>("a", "b", "equal");
        addRow("ASCII", "Google", "gOOGLE", true);
        addRow("prefix", "goog", "google", false);
        addRow("longer", "google", "goog", false);
        addRow("Latin-1", QStringLiteral("Été"), QStringLiteral("éTÉ"), true);
        addRow("beyond the BMP", QStringLiteral("\U00010400x"), QStringLiteral("\U00010428X"), true);
        addRow("lone surrogate", QString(QChar(0xd801)), QStringLiteral("\U00010400"), false);
    }
    void foldsCase()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(foldedEqual(a, b), "equal");
        QTEST(foldedEqual(b, a), "equal");
        if (foldedEqual(a, b))
            QCOMPARE(foldedHash(a, 5), foldedHash(b, 5));
    }

    // "ch" is one letter after "h" in Czech, "aa" one after "z" in Danish:
    // no per-character table says that, so such locales get no keys.
    void ordersAsQCollator_data()
    {
        addColumns<QString, bool>("locale", "keys");
        for (const auto &[locale, keys] :
             {std::pair{"en_US", true}, {"sv_SE", true}, {"da_DK", false}, {"cs_CZ", false}})
            addRow(locale, QString::fromLatin1(locale), keys);
    }
    void ordersAsQCollator()
    {
        QFETCH(QString, locale);
        QCollator reference{QLocale(locale)};
        reference.setCaseSensitivity(Qt::CaseSensitive);
        const TTextCollator collator{QLocale(locale)};
        QTEST(collator.hasKeys(), "keys");
        // Both letter cases, digits, punctuation, contraction candidates
        // and letters beyond ASCII; keys only for plain texts.
        const QString plain = QStringLiteral("aAbBcChHzZ09 -_.,'!~@sSDE");
        QRandomGenerator random(11);
        QStringList texts{QString(), "ch", "cz", "aa", "az", "hz"};
        while (texts.size() < 400)
            texts << randomText(random, plain + (texts.size() % 2 ? "äÄöéßøå\u4E2D" : ""), 0, 8);
        std::vector<std::string> keys(size_t(texts.size()));
        QList<bool> keyed;
        for (int i = 0; i < texts.size(); ++i) {
            keyed << (collator.hasKeys() &&
                      std::all_of(texts[i].begin(), texts[i].end(), [](QChar c) { return c < u'\x80'; }));
            QCOMPARE(collator.appendKey(texts[i], keys[size_t(i)]), keyed[i]);
        }
        for (int i = 0; i < texts.size(); ++i)
            for (int j = 0; j < texts.size(); j += 7) {
                const int expected = sign(reference.compare(texts[i], texts[j]));
                QCOMPARE(sign(collator.compare(texts[i], texts[j])), expected);
                if (keyed[i] && keyed[j])
                    QCOMPARE(sign(keys[size_t(i)].compare(keys[size_t(j)])), expected);
            }
        std::string key = "x";
        QVERIFY(!collator.appendKey(QStringLiteral("tab\there"), key));
        QCOMPARE(key, std::string("x"));
    }
};

QTEST_GUILESS_MAIN(TestTextMatching)
#include "tst_textmatching.moc"
