// SPDX-License-Identifier: MIT
// Remembered sort keys and widths, through the settings store of a test.
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
        // Rows compare by the text of the sorted column, second against first.
        Tree.OnNodeCompare = [](TCustomTree *tree, TVirtualNode a, TVirtualNode b, int column, TSortType) {
            return text(tree, b, column).compare(text(tree, a, column));
        };
    }
    static QString text(TCustomTree *tree, TVirtualNode row, int column)
    {
        IFrameItem *item =
            static_cast<TFrameItemObject *>(static_cast<TSelectFrameNode *>(tree->getVM()->getData(row))->FrameObject)
                ->Item.get();
        QString value;
        if (column == 0) {
            item->GetCaption(&value);
        } else {
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->GetValue(QStringLiteral("column%1_data").arg(column), &value);
        }
        return value;
    }
    /// The item IDs in the order the rows show.
    QString order() const
    {
        QString ids;
        IVmManager *vm = Tree.getVM();
        for (TVirtualNode n = vm->getFirstChild(vm->getRoot()); n; n = vm->getNextSibling(n)) {
            auto *record = static_cast<TSelectFrameNode *>(vm->getData(n));
            QString id;
            static_cast<TFrameItemObject *>(record->FrameObject)->Item->GetID(&id);
            ids += id;
        }
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

    void applySortText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QString>("order");
        QTest::newRow("nothing") << "" << false << "536142";
        QTest::newRow("type 0") << "0=0" << false << "536142";
        QTest::newRow("unknown column") << "9=2" << false << "536142";
        QTest::newRow("not numeric") << "x=2,0=y,=,==" << false << "536142";
        QTest::newRow("captions A to Z") << "0=2" << true << "123456";
        QTest::newRow("captions Z to A") << "0=1" << true << "654321";
        // Two keys in one sort: the third column first (a: 3 6, b: 1 4, c: 5 2), then captions.
        QTest::newRow("two keys") << "2=2,0=2" << true << "361425";
        QTest::newRow("bad entries skipped") << "junk, 2=2 ,0=2" << true << "361425";
    }
    void applySortText()
    {
        QFETCH(QString, text);
        QFETCH(bool, applied);
        QFETCH(QString, order);
        TLayoutFixture f;
        QCOMPARE(f.Layout.ApplySortText(text), applied);
        QCOMPARE(f.order(), order);
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
