// SPDX-License-Identifier: MIT
#include "InputQuery.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace selectframe {

namespace {

int MulDiv(int Number, int Numerator, int Denominator)
{
    return int(std::lround(double(Number) * Numerator / Denominator));
}

/// The average character size of `Font`: the width from the 52 letters,
/// halved after rounding up, and the text height.
QSize AverageCharSize(const QFont &Font)
{
    const QFontMetrics metrics(Font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QSize((metrics.horizontalAdvance(letters) / 26 + 1) / 2, metrics.height());
}

/// The toolkit's own caption of a standard button.
QString StandardText(QDialogButtonBox::StandardButton Button)
{
    QDialogButtonBox box;
    return box.addButton(Button)->text();
}

} // namespace

bool WideInputQuery(const QString &ACaption, const QString &APrompt, QString &Value, int MaxLength, QWidget *Parent)
{
    QDialog form(Parent);
    form.setObjectName(QStringLiteral("InputQuery"));
    form.setWindowTitle(ACaption);
    form.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
    const QSize units = AverageCharSize(Parent ? Parent->font() : QApplication::font());
    const auto x = [&units](int u) { return MulDiv(u, units.width(), 4); };
    const auto y = [&units](int u) { return MulDiv(u, units.height(), 8); };

    auto *prompt = new QLabel(APrompt, &form);
    prompt->setWordWrap(true);
    const int promptWidth = std::min(prompt->fontMetrics().horizontalAdvance(APrompt) + 1, x(164));
    prompt->setGeometry(x(8), y(8), promptWidth, prompt->heightForWidth(promptWidth));

    auto *edit = new QLineEdit(&form);
    edit->setMaxLength(MaxLength);
    edit->setText(Value);
    edit->selectAll();
    edit->setGeometry(x(8), prompt->geometry().bottom() + 1 + 5, x(164), edit->sizeHint().height());
    prompt->setBuddy(edit);

    const int buttonTop = edit->geometry().bottom() + 1 + 15;
    auto *ok = new QPushButton(StandardText(QDialogButtonBox::Ok), &form);
    ok->setDefault(true);
    ok->setGeometry(x(38), buttonTop, x(50), y(14));
    QObject::connect(ok, &QPushButton::clicked, &form, &QDialog::accept);
    auto *cancel = new QPushButton(StandardText(QDialogButtonBox::Cancel), &form);
    cancel->setGeometry(x(92), buttonTop, x(50), y(14));
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);

    form.setFixedSize(x(180), ok->geometry().bottom() + 1 + 13);
    if (const QScreen *screen = Parent ? Parent->screen() : QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    edit->setFocus();
    if (form.exec() != QDialog::Accepted)
        return false;
    Value = edit->text();
    return true;
}

} // namespace selectframe
