// SPDX-License-Identifier: MIT
// The input box, typed into and answered by clicks; its layout in dialog
// units. (The dialog base is driven in the favorites dialog's suite.)
#include "platform/DataTable.h"
#include "platform/InputQuery.h"

#include "platform/UserInput.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace selectframe;
using namespace selectframe::test;

class TstInputQuery : public QObject
{
    Q_OBJECT

private slots:
    void inputQuery_data()
    {
        addColumns<QString, bool, bool, QString>("typed", "ok", "result", "value");
        addRow("ok", "Main", true, true, "Main");
        addRow("cancel", "Main", false, false, "start");
        addRow("cut at 5", "abcdefgh", true, true, "abcde");
    }
    void inputQuery()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QString value = QStringLiteral("start");
        QSize size;
        whenModal([&](QWidget *box) {
            auto *edit = box->findChild<QLineEdit *>();
            QCOMPARE(edit->selectedText(), QStringLiteral("start"));
            test::typeText(edit, typed);
            size = box->size();
            // The buttons lie 15 pixels below the edit, the client 13 below them.
            const auto buttons = box->findChildren<QPushButton *>();
            QCOMPARE(buttons.size(), 2);
            QCOMPARE(buttons[0]->y(), edit->geometry().bottom() + 1 + 15);
            QCOMPARE(box->height(), buttons[0]->geometry().bottom() + 1 + 13);
            QTest::mouseClick(buttons[ok ? 0 : 1], Qt::LeftButton);
        });
        QTEST(WideInputQuery(QStringLiteral("Caption"), QStringLiteral("Prompt:"), value, 5), "result");
        QTEST(value, "value");
        // 180 horizontal dialog units: 45 average character widths.
        const QFontMetrics metrics(QApplication::font());
        const int average =
            (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 +
             1) /
            2;
        QCOMPARE(size.width(), 45 * average);
    }
};

QTEST_MAIN(TstInputQuery)
#include "tst_inputquery.moc"
