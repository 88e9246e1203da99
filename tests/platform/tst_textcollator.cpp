// SPDX-License-Identifier: MIT
// The collator's answers and keys must order exactly as QCollator does.
#include "platform/TextCollator.h"

#include <QCollator>
#include <QTest>

#include <algorithm>
#include <random>

using namespace selectframe;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

/// Texts over an alphabet with both letter cases, digits, punctuation,
/// contraction candidates and a few letters beyond ASCII.
QStringList sampleTexts(int count, bool asciiOnly)
{
    const QString alphabet = asciiOnly ? QStringLiteral("aAbBcChHzZ09 -_.,'!~@sSDE")
                                       : QStringLiteral("aAbBcChHzZ09 -_.,'!~@sSDEäÄöéßøå\u4E2D");
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, 7);
    std::uniform_int_distribution<int> letter(0, int(alphabet.size()) - 1);
    QStringList texts{
        QString(),           QStringLiteral("ch"), QStringLiteral("cz"), QStringLiteral("aa"), QStringLiteral("az"),
        QStringLiteral("hz")};
    while (texts.size() < count) {
        QString text;
        for (int n = length(random); n > 0; --n)
            text.append(alphabet[letter(random)]);
        texts.append(text);
    }
    return texts;
}

} // namespace

class TestTextCollator : public QObject
{
    Q_OBJECT

private slots:
    void ordersAsQCollator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "en_US";
        QTest::newRow("German") << "de_DE";
        QTest::newRow("Swedish") << "sv_SE";
        QTest::newRow("Danish") << "da_DK";
        QTest::newRow("Czech") << "cs_CZ";
        QTest::newRow("C") << "C";
    }
    void ordersAsQCollator()
    {
        QFETCH(QString, locale);
        QCollator reference{QLocale(locale)};
        reference.setCaseSensitivity(Qt::CaseSensitive);
        const TTextCollator collator{QLocale(locale)};

        const QStringList mixed = sampleTexts(600, false);
        for (const QString &a : mixed)
            for (const QString &b : mixed.mid(0, 60))
                QCOMPARE(sign(collator.compare(a, b)), sign(reference.compare(a, b)));

        // Keys of plain texts compare bytewise as the collator does.
        const QStringList plain = sampleTexts(400, true);
        std::vector<std::string> keys;
        for (const QString &text : plain) {
            std::string key;
            QCOMPARE(collator.appendKey(text, key), collator.hasKeys());
            keys.push_back(key);
        }
        if (collator.hasKeys()) {
            for (int i = 0; i < plain.size(); ++i)
                for (int j = 0; j < plain.size(); j += 7)
                    QCOMPARE(sign(keys[size_t(i)].compare(keys[size_t(j)])),
                             sign(reference.compare(plain[i], plain[j])));
        }
    }

    void contractionsAndForeignLettersGetNoKeys()
    {
        // "ch" is one letter after "h" in Czech: no per-character table
        // says that, so Czech texts all go to the collator.
        QVERIFY(!TTextCollator(QLocale(QStringLiteral("cs_CZ"))).hasKeys());
        const TTextCollator english(QLocale(QStringLiteral("en_US")));
        QVERIFY(english.hasKeys());
        std::string key = "x";
        QVERIFY(!english.appendKey(QStringLiteral("caf\u00E9"), key));
        QVERIFY(!english.appendKey(QStringLiteral("tab\there"), key));
        QCOMPARE(key, std::string("x"));
    }
};

QTEST_GUILESS_MAIN(TestTextCollator)
#include "tst_textcollator.moc"
