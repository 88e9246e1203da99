// SPDX-License-Identifier: MIT
// A host in one file: a window with a select frame over a dozen items that
// prints the checked IDs whenever they change. `minimal-host ID...` checks
// those items at the start, as a host restoring its saved state does;
// `--quit` closes the window once it is shown.
#include <selectframe/SelectFrame.h>

#include <QApplication>
#include <QLibrary>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

using namespace selectframe;

namespace {

void printChecked(void *, ISelectFrame *sender)
{
    IPtr<IDataStorage> state;
    sender->GetState(state.put());
    QStringList ids;
    state->Save(&ids);
    std::printf("checked: %s\n", qPrintable(ids.join(u' ')));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool quit = args.removeAll(QStringLiteral("--quit")) > 0;

    QLibrary plugin(QStringLiteral(SELECTFRAME_PLUGIN));
    const auto create = reinterpret_cast<TCreateManager>(plugin.resolve(CreateManagerSymbol));
    if (!create) {
        std::fprintf(stderr, "cannot load the plug-in: %s\n", qPrintable(plugin.errorString()));
        return 1;
    }
    IPtr<ISelectFrameFactory> factory;
    create(factory.put());
    IPtr<ISelectFrame> frame;
    factory->CreateFrame(frame.put());

    IPtr<INamedParams> params;
    frame->GetParams(params.put());
    params->SetValue(keys::OptionColumnNames, QByteArray("Fruit,Color"));
    params->SetValue(keys::OptionColumnsWidth, QByteArray("160,100"));
    params->SetValue(keys::OptionGroupsExpanded, true);

    const char *const fruits[][3] = {
        {"apple", "Apple", "red"},    {"banana", "Banana", "yellow"}, {"cherry", "Cherry", "red"},
        {"grape", "Grape", "purple"}, {"kiwi", "Kiwi", "green"},      {"lemon", "Lemon", "yellow"},
        {"lime", "Lime", "green"},    {"mango", "Mango", "orange"},   {"orange", "Orange", "orange"},
        {"pear", "Pear", "green"},    {"plum", "Plum", "purple"},     {"strawberry", "Strawberry", "red"},
    };
    for (const auto &fruit : fruits) {
        IPtr<IFrameItem> item;
        frame->NewItem(item.put());
        item->SetID(QString::fromLatin1(fruit[0]));
        item->SetCaption(QString::fromLatin1(fruit[1]));
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(QStringLiteral("group"), QString::fromLatin1(fruit[2]));
        values->SetValue(QStringLiteral("column1_data"), QString::fromLatin1(fruit[2]));
    }

    IPtr<INamedMethods> methods;
    frame->GetMethods(methods.put());
    methods->SetMethod(keys::EventOnChange, makeMethod(&printChecked));

    IPtr<IDataStorage> state;
    frame->GetState(state.put());
    state->Load(args);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal host"));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(frame->GetControl());
    frame->Initialize();
    window.resize(480, 360);
    window.show();
    if (quit)
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int code = app.exec();
    // The frame owns its control: take it back from the window first.
    frame->GetControl()->setParent(nullptr);
    return code;
}
