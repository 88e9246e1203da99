// Remembered sort keys and widths, through the settings store of a test.
#include "frame/ItemValues.h"
#include "frame/TreeLayout.h"
#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TTree.h"

#include "platform/TestSettingsScope.h"
#include "trees/SelectTreeFixture.h"

#include <QTest>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// A shown tree over six items whose third column reads a, b or c.
struct TLayoutFixture
{
    TFrameFixture Frame;
    TTree Tree;
    TTreeLayout Layout{Frame.Manager.Params(), &Tree};

    explicit TLayoutFixture(const char *ui = "Tests\\Layout")
    {
        if (ui)
            Frame.set(keys::OptionUi, QByteArray(ui));
        for (const char *id : {"5", "3", "6", "1", "4", "2"})
            Frame.add(id, {}, {{"column2_data", QString(QChar(u'a' + QString(id).toInt() % 3))}});
        Frame.Manager.Rebuild();
        Tree.setVM(std::make_unique<TSelectVirtualManager>(&Frame.Manager));
        Tree.resize(400, 300);
        // Rows compare by ID or by the sorted column's text, second against
        // first.
        Tree.OnNodeCompare = [this](TCustomTree *, TVirtualNode a, TVirtualNode b, int column, TSortType) {
            return text(b, column).compare(text(a, column));
        };
    }
    QString text(TVirtualNode row, int column) const
    {
        IFrameItem *item = itemOf(static_cast<TSelectFrameNode *>(Tree.getVM()->getData(row))->FrameObject);
        QString id;
        item->GetID(&id);
        return column ? itemValue(item, QStringLiteral("column%1_data").arg(column)) : id;
    }
    /// The item IDs in the order the rows show.
    QString order() const
    {
        QString ids;
        for (TVirtualNode n = Tree.getVM()->getFirstChild(Tree.getVM()->getRoot()); n; n = Tree.getVM()->getNextSibling(n))
            ids += text(n, 0);
        return ids;
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

    void textsFollowTheHeader()
    {
        TLayoutFixture f;
        QCOMPARE(f.Layout.GetSortText(), QString());
        f.Tree.Sort(f.Tree.getVM()->getRoot(), 2, stReversed, true);
        QCOMPARE(f.Layout.GetSortText(), QStringLiteral("2=1"));
        // Widths list identifiers in display order, whatever that order is.
        f.Tree.Header()->moveSection(2, 0);
        const QStringList entries = f.Layout.GetWidthText().split(u',');
        QCOMPARE(entries.size(), 3);
        QVERIFY(entries[0].startsWith(QStringLiteral("2=")));
        QCOMPARE(entries[2], QStringLiteral("1=150"));
    }

    // Sort texts and the order they give, "-" when not applied. Two keys
    // sort by the third column first (a: 3 6, b: 1 4, c: 5 2), then by
    // caption.
    void applySortText()
    {
        const std::pair<const char *, const char *> cases[] = {
            {"", "-536142"}, {"0=0", "-536142"}, {"9=2", "-536142"}, {"x=2,0=y,=,==", "-536142"},
            {"0=2", "123456"}, {"0=1", "654321"}, {"2=2,0=2", "361425"}, {"junk, 2=2 ,0=2", "361425"}};
        for (const auto &[text, order] : cases) {
            TLayoutFixture f;
            const bool applied = f.Layout.ApplySortText(text);
            QCOMPARE((applied ? "" : "-") + f.order(), QString::fromLatin1(order));
        }
    }

    void savedLayoutComesBack()
    {
        {
            TLayoutFixture f;
            f.Tree.Sort(f.Tree.getVM()->getRoot(), 0, stReversed, true);
            f.Layout.SaveTreeLayout();
        }
        QCOMPARE(stored("SelectTree_Sort"), QStringLiteral("0=1"));
        QVERIFY(stored("SelectTree_Width").contains(QStringLiteral("1=150")));
        TLayoutFixture again;
        QVERIFY(again.Layout.LoadTreeSort());
        QCOMPARE(again.order(), QStringLiteral("654321"));
    }

    // The control saves its layout as it goes, but only once its tree was
    // built: a frame whose Initialize never ran (or failed) keeps the
    // layout the user left.
    void controlSavesOnlyABuiltLayout()
    {
        QSettings().setValue(QStringLiteral("Tests/Layout/SelectTree_Sort"), QStringLiteral("1=2"));
        const auto makeControl = [] {
            auto control = std::make_unique<TSelectFrameControl>(nullptr);
            INamedParams *params = control->GetManager()->Params();
            params->SetValue(keys::OptionUi, QByteArray("Tests\\Layout"));
            params->SetValue(keys::OptionColumnNames, QByteArray("Name,Kind"));
            return control;
        };
        makeControl().reset();
        QCOMPARE(stored("SelectTree_Sort"), QStringLiteral("1=2"));
        QVERIFY(stored("SelectTree_Width").isEmpty());

        auto control = makeControl();
        control->Initialize();
        QCOMPARE(control->findChild<TTree *>()->Header()->getSortIndexs(), QList<int>{1});
        control.reset();
        QCOMPARE(stored("SelectTree_Sort"), QStringLiteral("1=2"));
        QVERIFY(!stored("SelectTree_Width").isEmpty());
    }

    void emptyUiTouchesNothing()
    {
        TLayoutFixture f(nullptr);
        f.Tree.Sort(f.Tree.getVM()->getRoot(), 0, stNatural, true);
        f.Layout.SaveTreeLayout();
        QVERIFY(!f.Layout.LoadTreeSort());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    // A store that refuses (a plain file where its folder should be) leaves
    // saving a no-op and writes nothing anywhere else.
    void refusingStoreChangesNothing()
    {
        const QString organisation = QCoreApplication::organizationName();
        QCoreApplication::setOrganizationName(QStringLiteral("selectframe-tests-blocked"));
        const QString folder = QFileInfo(QSettings().fileName()).absolutePath();
        QDir().rmdir(folder);
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        {
            TLayoutFixture f;
            f.Tree.Sort(f.Tree.getVM()->getRoot(), 1, stReversed, true);
            f.Layout.SaveTreeLayout();
            QVERIFY(!f.Layout.LoadTreeSort());
        }
        QFile::remove(folder);
        QCoreApplication::setOrganizationName(organisation);
        QVERIFY(!QFile::exists(m_scope->fileName()));
    }
};

QTEST_MAIN(TestTreeLayout)
#include "tst_treelayout.moc"
