// SPDX-License-Identifier: MIT
// The demo host: a small application that uses the select frame plug-in
// exactly as any host would.
#pragma once

#include "EngineList.h"

#include <selectframe/SelectFrame.h>

#include <QHash>
#include <QMainWindow>

#include <functional>

class QCheckBox;
class QDialog;
class QLabel;
class QPlainTextEdit;

namespace selectframe::demo {

/// A window with one frame over the engine list, a log of every event the
/// frame raises and a status line with its counts. It keeps the checked set
/// and the favorites in its own settings across runs.
class TDemoHost : public QMainWindow
{
    Q_OBJECT

public:
    /// Builds the frame from `create` over `engines`; with
    /// `embeddedFavorites` the favorites button keeps one unnamed favorite
    /// instead of offering the named ones.
    TDemoHost(TCreateManager create, const QList<TEngine> &engines, bool embeddedFavorites = false);

    /// Opens "Organize Favorites..." and hands its dialog to `use` once it
    /// shows; returns when the dialog has closed.
    void organizeFavorites(const std::function<void(QDialog *)> &use);
    ~TDemoHost() override;

    void log(const QString &line);
    void showCounts();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setOptions(bool embeddedFavorites);
    void registerHandlers();
    void addItems();
    void restoreState();
    void saveState();
    /// Gives every item the group of the chosen grouping.
    void regroup(const QString &groupID, IFrameItemEnumerator *items);

    static void onChange(void *data, ISelectFrame *sender);
    static void onItemCompare(void *data, ISelectFrame *sender, IFrameItem *item1, IFrameItem *item2, int32_t column,
                              int32_t sortType, int32_t *result);
    static void onGroupCompare(void *data, ISelectFrame *sender, const QString &caption1, const QString &caption2,
                               int32_t column, int32_t sortType, int32_t *result);
    static void onChangeGroup(void *data, ISelectFrame *sender, const QString &groupID, IFrameItemEnumerator *items);
    static void onActionClick(void *data, ISelectFrame *sender, IFrameItem *item);
    static void onFavAction(void *data, ISelectFrame *sender, int32_t action, const QVariant &value);
    static void onItemQuery(void *data, ISelectFrame *sender, IFrameItem *item, const QString &favorite);

    QList<TEngine> m_engines;
    /// The engines by the ID their items have.
    QHash<QString, const TEngine *> m_byTrigger;
    IPtr<ISelectFrame> m_frame;
    QPlainTextEdit *m_log;
    QLabel *m_counts;
    /// The frame's checked-only view, switched as a host does: through the
    /// frame's settings.
    QCheckBox *m_onlyChecked;
    int m_compares = 0;
    int m_queries = 0;
};

} // namespace selectframe::demo
