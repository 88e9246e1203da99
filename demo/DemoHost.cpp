// SPDX-License-Identifier: MIT
#include "DemoHost.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace selectframe::demo {

namespace {

QString valueOf(IFrameItem *item, const QString &name)
{
    IPtr<IStringValueList> values;
    item->GetValues(values.put());
    QString value;
    values->GetValue(name, &value);
    return value;
}

QString idOf(IFrameItem *item)
{
    QString id;
    item->GetID(&id);
    return id;
}

TDemoHost *host(void *data)
{
    return static_cast<TDemoHost *>(data);
}

/// The group an engine has under the grouping `groupID` of
/// "option://groupby.columns"; "none" and unknown groupings give none.
QString groupOf(const TEngine &engine, const QString &groupID)
{
    if (groupID == u"category")
        return engine.Category;
    if (groupID == u"subcategory")
        return engine.Subcategory;
    if (groupID == u"letter") {
        // "www.google.com" is filed under G, as its user would look for it.
        const QString domain = engine.Domain.startsWith(u"www.") ? engine.Domain.mid(4) : engine.Domain;
        return domain.left(1).toUpper();
    }
    if (groupID == u"tld")
        return u'.' + engine.Domain.section(u'.', -1);
    return QString();
}

} // namespace

TDemoHost::TDemoHost(TCreateManager create, const QList<TEngine> &engines, bool embeddedFavorites) : m_engines(engines)
{
    setWindowTitle(QStringLiteral("Select frame demo"));
    IPtr<ISelectFrameFactory> factory;
    create(factory.put());
    factory->CreateFrame(m_frame.put());

    m_log = new QPlainTextEdit;
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(500);
    m_counts = new QLabel;
    statusBar()->addWidget(m_counts);
    m_onlyChecked = new QCheckBox(QStringLiteral("Show checked only"));
    m_onlyChecked->setObjectName(QStringLiteral("cbShowOnlyChecked"));
    statusBar()->addPermanentWidget(m_onlyChecked);
    connect(m_onlyChecked, &QCheckBox::toggled, this, [this](bool on) {
        IPtr<ISelectFrameSettings> settings;
        m_frame->GetSettings(settings.put());
        settings->SetShowOnlyChecked(on);
        // The view stays off while nothing is checked.
        m_onlyChecked->setChecked(settings->GetShowOnlyChecked());
    });

    setOptions(embeddedFavorites);
    registerHandlers();
    addItems();
    restoreState();

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_frame->GetControl());
    splitter->addWidget(m_log);
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    resize(900, 640);

    m_frame->Initialize();
    // The list is what the user came for: the keyboard starts there.
    m_frame->GetControl()->setFocus();
    showCounts();
    log(QStringLiteral("%1 engines loaded").arg(m_engines.size()));
}

TDemoHost::~TDemoHost()
{
    // The frame owns its control; take it out of the splitter's hands first.
    if (QWidget *control = m_frame->GetControl())
        control->setParent(nullptr);
    m_frame.reset();
}

void TDemoHost::setOptions(bool embeddedFavorites)
{
    IPtr<INamedParams> params;
    m_frame->GetParams(params.put());
    const auto set = [&](const char *key, const QVariant &value) { params->SetValue(key, value); };
    set(keys::OptionColumnNames, QByteArray("Name,Domain,Category,Subcategory"));
    set(keys::OptionColumnsWidth, QByteArray("240,180,140"));
    set(keys::OptionUi, QByteArray("SelectFrameDemo\\Engines"));
    set(keys::OptionShowFavorites, true);
    set(keys::OptionFilterShow, true);
    set(keys::OptionFilterText, QByteArray("Find search engines"));
    set(keys::OptionGroupByColumns, QByteArray("category=Category,subcategory=Subcategory,"
                                               "\"letter=Domain letter\",\"tld=Top-level domain\",none=None"));
    set(keys::OptionFavoriteColumns, QByteArray("Category,Subcategory"));
    set("option://favorite.Category", QByteArray("Tech,Research,-,Shopping"));
    set("option://fav.other_name.Category", QByteArray("Other categories"));
    // 140 subcategories: the other values spread over columns and a
    // "More..." level.
    set("option://favorite.Subcategory", QByteArray("Programming,Academic,Reference"));
    set("option://fav.other_name.Subcategory", QByteArray("Other subcategories"));
    set(keys::OptionFavSelectedInfo, QByteArray("Search engines"));
    set(keys::OptionInitSort, 2);
    set(keys::OptionFavoritesMode, embeddedFavorites ? 1 : 0);
}

void TDemoHost::organizeFavorites(const std::function<void(QDialog *)> &use)
{
    QTimer::singleShot(0, this, [use] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            use(dialog);
    });
    m_frame->GetControl()->findChild<QAction *>(QStringLiteral("acOrganizeFavorites"))->trigger();
}

void TDemoHost::registerHandlers()
{
    IPtr<INamedMethods> methods;
    m_frame->GetMethods(methods.put());
    methods->SetMethod(keys::EventOnChange, makeMethod(&TDemoHost::onChange, this));
    methods->SetMethod(keys::EventItemCompare, makeMethod(&TDemoHost::onItemCompare, this));
    methods->SetMethod(keys::EventGroupCompare, makeMethod(&TDemoHost::onGroupCompare, this));
    methods->SetMethod(keys::EventChangeGroup, makeMethod(&TDemoHost::onChangeGroup, this));
    methods->SetMethod(keys::EventActionClick, makeMethod(&TDemoHost::onActionClick, this));
    methods->SetMethod(keys::EventFavAction, makeMethod(&TDemoHost::onFavAction, this));
    methods->SetMethod(keys::EventItemQuery, makeMethod(&TDemoHost::onItemQuery, this));
}

void TDemoHost::addItems()
{
    for (const TEngine &engine : m_engines) {
        m_byTrigger.insert(engine.Trigger, &engine);
        IPtr<IFrameItem> item;
        m_frame->NewItem(item.put());
        item->SetID(engine.Trigger);
        item->SetCaption(engine.Name);
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(QStringLiteral("group"), engine.Category);
        values->SetValue(QStringLiteral("hint"), engine.Url);
        values->SetValue(QStringLiteral("c_action_link"), QStringLiteral("Try it"));
        values->SetValue(QStringLiteral("column1_data"), engine.Domain);
        values->SetValue(QStringLiteral("column2_data"), engine.Category);
        values->SetValue(QStringLiteral("column3_data"), engine.Subcategory);
    }
}

void TDemoHost::restoreState()
{
    QSettings settings;
    IPtr<IDataStorage> favorites, state;
    m_frame->GetFavorites(favorites.put());
    m_frame->GetState(state.put());
    favorites->Load(settings.value(QStringLiteral("favorites")).toStringList());
    state->Load(settings.value(QStringLiteral("checked")).toStringList());
}

void TDemoHost::saveState()
{
    QSettings settings;
    IPtr<IDataStorage> favorites, state;
    m_frame->GetFavorites(favorites.put());
    m_frame->GetState(state.put());
    QStringList lines;
    favorites->Save(&lines);
    settings.setValue(QStringLiteral("favorites"), lines);
    state->Save(&lines);
    settings.setValue(QStringLiteral("checked"), lines);
}

void TDemoHost::closeEvent(QCloseEvent *event)
{
    saveState();
    event->accept();
}

void TDemoHost::log(const QString &line)
{
    m_log->appendPlainText(line);
}

void TDemoHost::showCounts()
{
    IPtr<INamedParams> params;
    m_frame->GetParams(params.put());
    QVariant total, checked;
    params->GetValue(keys::PropertyTotalCount, &total);
    params->GetValue(keys::PropertyCheckedCount, &checked);
    m_counts->setText(QStringLiteral("property://total.count = %1   property://checked.count = %2")
                          .arg(total.toInt())
                          .arg(checked.toInt()));
    // The view turns itself off when the last checked row is unchecked.
    IPtr<ISelectFrameSettings> settings;
    m_frame->GetSettings(settings.put());
    const QSignalBlocker quiet(m_onlyChecked);
    m_onlyChecked->setChecked(settings->GetShowOnlyChecked());
}

void TDemoHost::regroup(const QString &groupID, IFrameItemEnumerator *items)
{
    const QString group = QStringLiteral("group");
    items->Reset();
    while (items->MoveNext()) {
        IPtr<IFrameItem> item;
        items->GetCurrent(item.put());
        const TEngine *engine = m_byTrigger.value(idOf(item.get()));
        if (!engine)
            continue;
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(group, groupOf(*engine, groupID));
    }
}

void TDemoHost::onChange(void *data, ISelectFrame *)
{
    host(data)->log(QStringLiteral("events://onchange"));
    host(data)->showCounts();
}

void TDemoHost::onItemCompare(void *data, ISelectFrame *, IFrameItem *, IFrameItem *, int32_t, int32_t, int32_t *)
{
    // Called for every pair while sorting: counted, and logged once per sort.
    TDemoHost *self = host(data);
    if (self->m_compares++ == 0)
        QTimer::singleShot(0, self, [self] {
            self->log(QStringLiteral("events://item_compare x%1 (the frame's own order kept)").arg(self->m_compares));
            self->m_compares = 0;
        });
}

void TDemoHost::onGroupCompare(void *data, ISelectFrame *, const QString &, const QString &, int32_t, int32_t,
                               int32_t *)
{
    host(data)->m_compares++;
}

void TDemoHost::onChangeGroup(void *data, ISelectFrame *, const QString &groupID, IFrameItemEnumerator *items)
{
    host(data)->log(QStringLiteral("events://change_group %1").arg(groupID));
    host(data)->regroup(groupID, items);
}

void TDemoHost::onActionClick(void *data, ISelectFrame *, IFrameItem *item)
{
    const QString url = valueOf(item, QStringLiteral("hint")).replace(QStringLiteral("{{{s}}}"), QStringLiteral("qt"));
    host(data)->log(QStringLiteral("events://action_click %1 -> %2").arg(idOf(item), QUrl(url).toString()));
}

void TDemoHost::onFavAction(void *data, ISelectFrame *, int32_t action, const QVariant &value)
{
    QString text = value.toString();
    if (value.canConvert<QVariantList>() && value.metaType().id() == QMetaType::QVariantList) {
        QStringList parts;
        for (const QVariant &part : value.toList())
            parts.append(part.metaType() == QMetaType::fromType<IPtr<IFrameItem>>()
                             ? idOf(part.value<IPtr<IFrameItem>>().get())
                             : part.toString());
        text = parts.join(QStringLiteral(", "));
    }
    host(data)->log(QStringLiteral("events://fav_action %1 %2").arg(action).arg(text));
}

void TDemoHost::onItemQuery(void *data, ISelectFrame *, IFrameItem *, const QString &favorite)
{
    // Once per item row after every bulk check: counted, and logged once.
    TDemoHost *self = host(data);
    if (self->m_queries++ == 0)
        QTimer::singleShot(0, self, [self, favorite] {
            self->log(QStringLiteral("events://item_query x%1 (favorite '%2')").arg(self->m_queries).arg(favorite));
            self->m_queries = 0;
        });
}

} // namespace selectframe::demo
