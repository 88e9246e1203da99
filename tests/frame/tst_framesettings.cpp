// The frame's settings: what each setter tells the owning control, the
// filter's letter case, notifications inside notifications, and Assign.
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

} // namespace

class TestFrameSettings : public QObject
{
    Q_OBJECT

private slots:
    // Each setter writes a first value twice, then a second one twice: the
    // owner hears of each change once, of the select mode, the group-by
    // index and the filter hint never.
    void settersTellTheOwnerOfChangesOnly()
    {
        using TSetter = std::function<void(TFrameSettings &, bool second)>;
        const auto flag = [](void (TFrameSettings::*set)(bool)) {
            return TSetter([set](TFrameSettings &s, bool second) { (s.*set)(!second); });
        };
        const std::pair<TSetter, int> setters[] = {
            {flag(&TFrameSettings::SetShowOnlyChecked), SFM_SHOWONLYCHECKED},
            {flag(&TFrameSettings::SetShowFavorites), SFM_SHOWFAVORITES},
            {flag(&TFrameSettings::SetShowFilter), SFM_SHOWFILTER},
            {flag(&TFrameSettings::SetShowGroupBy), SFM_SHOWGROUPBY},
            {[](TFrameSettings &s, bool second) { s.SetFavoritesMode(second ? TFrameFavoritesMode(7) : ffmEmbedded); },
             SFM_FAVORITESMODE},
            {[](TFrameSettings &s, bool second) { s.SetFilter(second ? "abd" : "abc"); }, SFM_FILTER},
            {[](TFrameSettings &s, bool second) { s.SetSelectMode(second ? fsmOnlyOne : fsmOff); }, 0},
            {[](TFrameSettings &s, bool second) { s.SetGroupByIndex(second ? 5 : 2); }, 0},
            {[](TFrameSettings &s, bool second) { s.SetFilterHint(second ? "b" : "a"); }, 0}};
        for (const auto &[write, message] : setters) {
            TEventRecorder owner;
            TFrameSettings settings;
            settings.SetOwner(&owner);
            for (const bool second : {false, false, true, true})
                write(settings, second);
            QCOMPARE(owner.Received, (message ? QList<int>{message, message} : QList<int>{}));
        }
    }

    // A filter differing in letter case only is no change; the owner's
    // handler runs before the setter returns, and a setting it writes in
    // turn is handled inside it.
    void filterCaseAndReentrance()
    {
        TEventRecorder owner;
        TFrameSettings settings;
        settings.SetOwner(&owner);
        QStringList filters;
        for (const char *filter : {"abc", "ABC", "\u00c4BC", "\u00e4bc"}) {
            settings.SetFilter(QString::fromUtf8(filter));
            filters << settings.Filter();
        }
        QCOMPARE(filters, (QStringList{"abc", "abc", "\u00c4BC", "\u00c4BC"}));
        QCOMPARE(owner.Received, (QList<int>{SFM_FILTER, SFM_FILTER}));

        owner.Received.clear();
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

    // Assign copies the select mode, the checked-only view, the favorites
    // and their mode, silently, and keeps the rest; anything else than
    // settings fails.
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
        QVERIFY(target.SelectMode() == fsmOnlyOne && target.ShowOnlyChecked() && target.ShowFavorites());
        QCOMPARE(target.FavoritesMode(), ffmEmbedded);
        QVERIFY(target.ShowFilter() && target.ShowGroupBy() && target.GroupByIndex() == 3);
        QCOMPARE(target.FilterHint() + target.Filter(), QStringLiteral("hintflt"));
        QCOMPARE(target.Owner(), &owner);
        QVERIFY(owner.Received.isEmpty());
        QObject stranger;
        QVERIFY_THROWS_EXCEPTION(EConvertError, target.Assign(&stranger));
        QVERIFY_THROWS_EXCEPTION(EConvertError, target.Assign(nullptr));
    }
};

QTEST_GUILESS_MAIN(TestFrameSettings)
#include "tst_framesettings.moc"
