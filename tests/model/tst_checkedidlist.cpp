// SPDX-License-Identifier: MIT
// The list of checked IDs; random runs of appends, removals and clears are
// replayed against a plain list by fuzz_checkedidlist.
#include "model/CheckedIdList.h"

#include <QTest>

using namespace selectframe;

class TestCheckedIdList : public QObject
{
    Q_OBJECT

private slots:
    void removesFirstMatchIgnoringCase_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("ascii") << QStringList{"Foo", "foo", "FOO"} << "fOO" << QStringList{"foo", "FOO"};
        QTest::newRow("latin-1") << QStringList{"x", QString::fromUtf8("Ärger")} << QString::fromUtf8("äRGER")
                                 << QStringList{"x"};
        QTest::newRow("outside the BMP") << QStringList{QString::fromUtf8("\xf0\x90\x90\x80"
                                                                          "1")}
                                         << QString::fromUtf8("\xf0\x90\x90\xa8"
                                                              "1")
                                         << QStringList();
        QTest::newRow("empty id") << QStringList{"", "a", ""} << "" << QStringList{"a", ""};
        QTest::newRow("prefix is not a match") << QStringList{"ab"} << "a" << QStringList{"ab"};
    }
    void removesFirstMatchIgnoringCase()
    {
        QFETCH(QStringList, added);
        QFETCH(QString, removed);
        QFETCH(QStringList, left);
        TCheckedIdList ids;
        for (const QString &id : added)
            ids.append(id);
        QCOMPARE(ids.removeOne(removed), left.size() < added.size());
        QCOMPARE(ids.list(), left);
        QCOMPARE(ids.count(), left.size());
    }
};

QTEST_GUILESS_MAIN(TestCheckedIdList)
#include "tst_checkedidlist.moc"
