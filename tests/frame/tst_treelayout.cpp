// SPDX-License-Identifier: MIT
// The remembered layout: a frame's sort keys and column widths saved when
// it goes and brought back when the next frame of the same ui comes up,
// through the settings store of a test.
#include "FrameFixture.h"

#include "platform/TestSettingsScope.h"
#include "platform/tree/TCustomHeader.h"

#include <memory>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A frame remembering its layout under `ui`, over six items whose third
/// column reads a, b or c.
struct TLayoutFrame : TFrameFixture
{
    explicit TLayoutFrame(const QString &ui = "Tests\\Layout", const QString &options = {})
    {
        run("opt column.names=Name,Address,Kind;opt columns.width=-1,150,-1;opt ui=" + ui + options);
        for (const char *id : {"5", "3", "6", "1", "4", "2"})
            add(id, {}, {{"column2_data", QString(QChar(u'a' + QString(id).toInt() % 3))}});
    }
};

QString stored(const char *name)
{
    return QSettings().value(QStringLiteral("Tests/Layout/") + name).toString();
}

} // namespace

class TestTreeLayout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;

private slots:
    void init() { m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_treelayout")); }
    void cleanup() { m_scope.reset(); }

    // A remembered sort text and the rows it gives; one that sorts nothing
    // leaves the initial sort in force, the option's low byte (1: captions
    // Z to A, 2: A to Z). Two keys sort by the third column first (a: 3 6,
    // b: 1 4, c: 5 2), then by caption.
    void rememberedAndInitialSorts()
    {
        const std::tuple<const char *, int, const char *> cases[] = {
            {"", 1, "6 5 4 3 2 1"},    {"", 258, "1 2 3 4 5 6"},      {"", 256, "5 3 6 1 4 2"},
            {"0=0", 1, "6 5 4 3 2 1"}, {"9=2", 1, "6 5 4 3 2 1"},     {"x=2,0=y,=,==", 1, "6 5 4 3 2 1"},
            {"0=2", 1, "1 2 3 4 5 6"}, {"2=2,0=2", 1, "3 6 1 4 2 5"}, {"junk, 2=2 ,0=2", 1, "3 6 1 4 2 5"}};
        for (const auto &[text, initial, order] : cases) {
            QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QString::fromLatin1(text));
            TLayoutFrame f("Tests\\Layout", QStringLiteral(";opt init.sort=%1").arg(initial));
            QCOMPARE(f.run("?"), QString::fromLatin1(order));
        }
    }

    // Sorted by a click on the header, a column moved: the sort and the
    // widths in display order are saved, and the next frame comes up
    // sorted so.
    void savedLayoutComesBack()
    {
        QString shown;
        {
            TLayoutFrame f;
            shown = f.run("sort;?");
            f.tree->Header()->moveSection(2, 0);
        }
        QCOMPARE(shown, "1 2 3 4 5 6");
        QCOMPARE(stored("SelectTree_Sort"), "0=2");
        const QStringList widths = stored("SelectTree_Width").split(u',');
        QCOMPARE(widths.size(), 3);
        QVERIFY(widths[0].startsWith(QStringLiteral("2=")));
        QCOMPARE(widths[2], "1=150");
        TLayoutFrame again;
        QCOMPARE(again.run("?"), shown);
    }

    // Only a frame whose tree was built saves: one whose Initialize never
    // ran (or failed) keeps the layout the user left.
    void controlSavesOnlyABuiltLayout()
    {
        QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QStringLiteral("1=2"));
        {
            TLayoutFrame neverShown;
        }
        QCOMPARE(stored("SelectTree_Sort"), "1=2");
        QVERIFY(stored("SelectTree_Width").isEmpty());
        {
            // Without items: the remembered sort is applied to no rows.
            TFrameFixture f;
            f.run("opt column.names=Name,Address,Kind;opt ui=Tests\\Layout;?");
            QCOMPARE(f.tree->Header()->getSortIndexs(), QList<int>{1});
        }
        QCOMPARE(stored("SelectTree_Sort"), "1=2");
        QVERIFY(!stored("SelectTree_Width").isEmpty());
    }

    // No ui, no remembered layout; a store that refuses (a plain file
    // where its folder should be) leaves the initial sort and writes
    // nothing anywhere.
    void nothingRemembered()
    {
        TLayoutFrame("").run("sort");
        QVERIFY(QSettings().allKeys().isEmpty());
        const QString organisation = QCoreApplication::organizationName();
        QCoreApplication::setOrganizationName(QStringLiteral("selectframe-tests-blocked"));
        const QString folder = QFileInfo(QSettings().fileName()).absolutePath();
        QDir().rmdir(folder);
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(TLayoutFrame("Tests\\Layout", ";opt init.sort=1").run("?;sort;?"), "6 5 4 3 2 1; 1 2 3 4 5 6");
        QFile::remove(folder);
        QCoreApplication::setOrganizationName(organisation);
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }
};

QTEST_MAIN(TestTreeLayout)
#include "tst_treelayout.moc"
