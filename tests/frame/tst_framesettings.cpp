// SPDX-License-Identifier: MIT
#include "frame/FrameSettings.h"
#include "intf/FrameConsts.h"
#include "platform/Conversion.h"

#include <QEvent>
#include <QTest>

#include <functional>

using namespace selectframe;

namespace {

/// Stands in for the owning control: records the events it is sent and may
/// react to one while it is being delivered.
class TEventRecorder : public QObject
{
public:
    QList<int> Received;
    std::function<void(int)> React;

    bool event(QEvent *e) override
    {
        const int type = int(e->type());
        if (type < SFM_SHOWONLYCHECKED || type > SFM_SHOWGROUPBY)
            return QObject::event(e);
        Received.append(type);
        if (React)
            React(type);
        return true;
    }
};

using TSetter = std::function<void(TFrameSettings &, bool second)>;

} // namespace

Q_DECLARE_METATYPE(TSetter)

class TestFrameSettings : public QObject
{
    Q_OBJECT

private slots:
    // Each setter writes a first value, then a second one; `messages` is
    // what the owner is sent for the two writes together.
    void settersTellTheOwnerOfChangesOnly_data()
    {
        QTest::addColumn<TSetter>("write");
        QTest::addColumn<QList<int>>("messages");
        const auto flag = [](void (TFrameSettings::*set)(bool)) {
            return TSetter([set](TFrameSettings &s, bool second) { (s.*set)(!second); });
        };
        QTest::newRow("ShowOnlyChecked") << flag(&TFrameSettings::SetShowOnlyChecked)
                                         << QList<int>{SFM_SHOWONLYCHECKED, SFM_SHOWONLYCHECKED};
        QTest::newRow("ShowFavorites") << flag(&TFrameSettings::SetShowFavorites)
                                       << QList<int>{SFM_SHOWFAVORITES, SFM_SHOWFAVORITES};
        QTest::newRow("ShowFilter") << flag(&TFrameSettings::SetShowFilter)
                                    << QList<int>{SFM_SHOWFILTER, SFM_SHOWFILTER};
        QTest::newRow("ShowGroupBy") << flag(&TFrameSettings::SetShowGroupBy)
                                     << QList<int>{SFM_SHOWGROUPBY, SFM_SHOWGROUPBY};
        QTest::newRow("FavoritesMode") << TSetter([](TFrameSettings &s, bool second) {
            s.SetFavoritesMode(second ? TFrameFavoritesMode(7) : ffmEmbedded);
        }) << QList<int>{SFM_FAVORITESMODE, SFM_FAVORITESMODE};
        QTest::newRow("Filter") << TSetter([](TFrameSettings &s, bool second) {
            s.SetFilter(second ? QStringLiteral("abd") : QStringLiteral("abc"));
        }) << QList<int>{SFM_FILTER, SFM_FILTER};
        QTest::newRow("SelectMode") << TSetter([](TFrameSettings &s, bool second) {
            s.SetSelectMode(second ? fsmOnlyOne : fsmOff);
        }) << QList<int>{};
        QTest::newRow("GroupByIndex") << TSetter([](TFrameSettings &s, bool second) {
            s.SetGroupByIndex(second ? 5 : 2);
        }) << QList<int>{};
        QTest::newRow("FilterHint") << TSetter([](TFrameSettings &s, bool second) {
            s.SetFilterHint(second ? QStringLiteral("b") : QStringLiteral("a"));
        }) << QList<int>{};
    }
    void settersTellTheOwnerOfChangesOnly()
    {
        QFETCH(TSetter, write);
        QFETCH(QList<int>, messages);
        TEventRecorder owner;
        TFrameSettings settings;
        settings.SetOwner(&owner);
        write(settings, false);
        write(settings, false);
        write(settings, true);
        write(settings, true);
        QCOMPARE(owner.Received, messages);
    }

    void filterIgnoresAChangeOfLetterCaseOnly()
    {
        TEventRecorder owner;
        TFrameSettings settings;
        settings.SetOwner(&owner);
        settings.SetFilter(QStringLiteral("abc"));
        owner.Received.clear();
        settings.SetFilter(QStringLiteral("ABC"));
        QCOMPARE(settings.Filter(), QStringLiteral("abc"));
        QVERIFY(owner.Received.isEmpty());
        settings.SetFilter(QStringLiteral("\u00c4BC"));
        QCOMPARE(settings.Filter(), QStringLiteral("\u00c4BC"));
        settings.SetFilter(QStringLiteral("\u00e4bc"));
        QCOMPARE(settings.Filter(), QStringLiteral("\u00c4BC"));
        QCOMPARE(owner.Received, QList<int>{SFM_FILTER});
    }

    // The owner's handler runs before the setter returns, and a setting it
    // writes in turn is handled inside it.
    void notificationsAreSynchronousAndReentrant()
    {
        TEventRecorder owner;
        TFrameSettings settings;
        settings.SetOwner(&owner);
        QString filterSeenInside;
        owner.React = [&](int type) {
            if (type == SFM_SHOWONLYCHECKED)
                settings.SetFilter(QString());
            else
                filterSeenInside = settings.Filter();
        };
        settings.SetFilter(QStringLiteral("x"));
        QCOMPARE(filterSeenInside, QStringLiteral("x"));
        settings.SetShowOnlyChecked(true);
        QCOMPARE(owner.Received, (QList<int>{SFM_FILTER, SFM_SHOWONLYCHECKED, SFM_FILTER}));
        QCOMPARE(filterSeenInside, QString());
    }

    void assignCopiesFourValuesSilently()
    {
        TEventRecorder owner;
        TFrameSettings target;
        target.SetOwner(&owner);
        target.SetShowFilter(true);
        target.SetShowGroupBy(true);
        target.SetGroupByIndex(3);
        target.SetFilterHint(QStringLiteral("hint"));
        target.SetFilter(QStringLiteral("flt"));
        owner.Received.clear();

        TFrameSettings source;
        source.SetSelectMode(fsmOnlyOne);
        source.SetShowOnlyChecked(true);
        source.SetShowFavorites(true);
        source.SetFavoritesMode(ffmEmbedded);
        target.Assign(&source);

        QCOMPARE(target.SelectMode(), fsmOnlyOne);
        QVERIFY(target.ShowOnlyChecked());
        QVERIFY(target.ShowFavorites());
        QCOMPARE(target.FavoritesMode(), ffmEmbedded);
        QVERIFY(target.ShowFilter() && target.ShowGroupBy());
        QCOMPARE(target.GroupByIndex(), 3);
        QCOMPARE(target.FilterHint(), QStringLiteral("hint"));
        QCOMPARE(target.Filter(), QStringLiteral("flt"));
        QCOMPARE(target.Owner(), &owner);
        QVERIFY(owner.Received.isEmpty());
    }

    void assignFromAnythingElseFails()
    {
        TFrameSettings target;
        QObject stranger;
        QVERIFY_THROWS_EXCEPTION(EConvertError, target.Assign(&stranger));
        QVERIFY_THROWS_EXCEPTION(EConvertError, target.Assign(nullptr));
    }
};

QTEST_GUILESS_MAIN(TestFrameSettings)
#include "tst_framesettings.moc"
