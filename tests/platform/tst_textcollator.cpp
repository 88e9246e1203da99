// SPDX-License-Identifier: MIT
// The collator's answers and keys must order exactly as QCollator does.
#include "platform/TextCollator.h"

#include <QCollator>
#include <QRandomGenerator>
#include <QTest>

using namespace selectframe;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

/// Texts over an alphabet with both letter cases, digits, punctuation,
/// contraction candidates and, unless `asciiOnly`, letters beyond ASCII.
QStringList sampleTexts(int count, bool asciiOnly)
{
    const QString alphabet = QStringLiteral("aAbBcChHzZ09 -_.,'!~@sSDE") + (asciiOnly ? "" : "äÄöéßøå\u4E2D");
    QRandomGenerator random(11);
    QStringList texts{QString(), "ch", "cz", "aa", "az", "hz"};
    while (texts.size() < count) {
        QString text;
        for (int n = random.bounded(8); n > 0; --n)
            text.append(alphabet[random.bounded(int(alphabet.size()))]);
        texts.append(text);
    }
    return texts;
}

} // namespace

class TestTextCollator : public QObject
{
    Q_OBJECT

private slots:
    // "ch" is one letter after "h" in Czech, "aa" one after "z" in Danish:
    // no per-character table says that, so such locales get no keys.
    void ordersAsQCollator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("keys");
        for (const auto &[locale, keys] : {std::pair{"en_US", true},
                                           {"de_DE", true},
                                           {"sv_SE", true},
                                           {"da_DK", false},
                                           {"cs_CZ", false},
                                           {"C", true}})
            QTest::newRow(locale) << QString::fromLatin1(locale) << keys;
    }
    void ordersAsQCollator()
    {
        QFETCH(QString, locale);
        QCollator reference{QLocale(locale)};
        reference.setCaseSensitivity(Qt::CaseSensitive);
        const TTextCollator collator{QLocale(locale)};
        QTEST(collator.hasKeys(), "keys");

        const QStringList mixed = sampleTexts(600, false);
        for (const QString &a : mixed)
            for (const QString &b : mixed.mid(0, 60))
                QCOMPARE(sign(collator.compare(a, b)), sign(reference.compare(a, b)));

        // Keys of plain texts compare bytewise as the collator does; other
        // texts get none.
        const QStringList plain = sampleTexts(400, true);
        std::vector<std::string> keys;
        for (const QString &text : plain) {
            std::string key;
            QCOMPARE(collator.appendKey(text, key), collator.hasKeys());
            keys.push_back(key);
        }
        for (int i = 0; collator.hasKeys() && i < plain.size(); ++i)
            for (int j = 0; j < plain.size(); j += 7)
                QCOMPARE(sign(keys[size_t(i)].compare(keys[size_t(j)])), sign(reference.compare(plain[i], plain[j])));
        std::string key = "x";
        QVERIFY(!collator.appendKey(QStringLiteral("caf\u00E9"), key) &&
                !collator.appendKey(QStringLiteral("tab\there"), key));
        QCOMPARE(key, std::string("x"));
    }
};

QTEST_GUILESS_MAIN(TestTextCollator)
#include "tst_textcollator.moc"
