#include "CheckMenuItems.h"

#include "frame/SplitPopupMenu.h"
#include "platform/GuardedCall.h"

namespace selectframe {

namespace {

/// Shows `text` as it is: an ampersand in a value or a name is no mnemonic.
QString plainCaption(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

/// Runs `OnClick` with `entry` whenever the entry is chosen.
void bindClick(QAction *entry, const TMenuClickHandler &OnClick)
{
    QObject::connect(entry, &QAction::triggered, entry, [entry, OnClick] {
        runGuarded("menu entry", [entry, &OnClick] { OnClick(entry); });
    });
}

} // namespace

TCheckDataMenuItem::TCheckDataMenuItem(int ColumnIndex, const QString &Value, const TMenuClickHandler &OnClick,
                                       QObject *AOwner)
    : QAction(plainCaption(Value), AOwner), FColumnIndex(ColumnIndex), FValue(Value)
{
    bindClick(this, OnClick);
}

TCheckFavoriteMenuItem::TCheckFavoriteMenuItem(ISelectFavorite *Favorite, const TMenuClickHandler &OnClick,
                                               QObject *AOwner)
    : QAction(AOwner), FFavorite(Favorite)
{
    QString name;
    Favorite->GetName(&name);
    setText(plainCaption(name));
    setData(mgFavorites);
    bindClick(this, OnClick);
}

TSeparatorMenuItem::TSeparatorMenuItem(QObject *AOwner) : QAction(QStringLiteral("-"), AOwner)
{
    setSeparator(true);
}

} // namespace selectframe
