#include "settings/form1controls.h"

#include "dialogs/twips.h"
#include "settings/categorybox.h"
#include "settings/entrylist.h"
#include "texts.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <initializer_list>
#include <limits>
#include <utility>

namespace {

struct Placement
{
    QWidget *widget;
    QRect twips; // left, top, width, height
};

} // namespace

void Form1Controls::setupUi(QMainWindow *window)
{
    auto *client = new QWidget(window);
    window->setCentralWidget(client);

    Combo1 = new CategoryBox(client);
    Label3 = new QLabel(texts::categoryNameLabel, client);
    Text3 = new QLineEdit(client);
    Command2 = new QPushButton(texts::renameButton, client);
    List1 = new EntryList(client);
    Command1 = new QPushButton(texts::upButton, client);
    Command8 = new QPushButton(texts::downButton, client);
    Command7 = new QPushButton(texts::addButton, client);
    Command6 = new QPushButton(texts::changeButton, client);
    Command4 = new QPushButton(texts::deleteButton, client);
    Label1 = new QLabel(texts::entryNameLabel, client);
    Text1 = new QLineEdit(client);
    Command3 = new QPushButton(texts::clearButton, client);
    Label2 = new QLabel(texts::programLabel, client);
    Text2 = new QLineEdit(client);
    Command5 = new QPushButton(texts::browseButton, client);
    Label4 = new QLabel(texts::workFolderLabel, client);
    Text4 = new QLineEdit(client);
    Command9 = new QPushButton(texts::browseButton, client);

    const std::initializer_list<Placement> placements = {
        {Combo1, {1080, 0, 3135, 300}},     {Label3, {120, 240, 735, 255}},
        {Text3, {1080, 360, 3135, 270}},    {Command2, {4320, 360, 1215, 255}},
        {List1, {0, 720, 4695, 2580}},      {Command1, {4800, 720, 375, 855}},
        {Command8, {4800, 2400, 375, 855}}, {Command7, {5400, 720, 855, 735}},
        {Command6, {5400, 1680, 855, 735}}, {Command4, {5400, 2640, 855, 615}},
        {Label1, {0, 3480, 615, 255}},      {Text1, {600, 3480, 4815, 270}},
        {Command3, {5520, 3480, 855, 255}}, {Label2, {0, 3840, 1335, 255}},
        {Text2, {1320, 3840, 4095, 270}},   {Command5, {5520, 3840, 855, 255}},
        {Label4, {360, 4200, 855, 255}},    {Text4, {1320, 4200, 4095, 270}},
        {Command9, {5520, 4200, 855, 255}},
    };
    for (const Placement &p : placements) {
        const QRect &t = p.twips;
        p.widget->setGeometry(twipsRect(t.x(), t.y(), t.width(), t.height()));
    }
    client->setFixedSize(twipsToPixels(6405), twipsToPixels(4530));

    // A screen reader names each field by its caption; ｶﾃｺﾞﾘ名 stands for the category box as
    // well as for the name's field, and the entry list has no caption of its own.
    for (const auto &[label, field] :
         {std::pair{Label1, Text1}, std::pair{Label2, Text2}, std::pair{Label4, Text4}})
        label->setBuddy(field);
    Combo1->setAccessibleName(texts::categoryNameLabel);
    // On Linux a combo box reports its current line as its name, and screen readers name it by
    // the shown label that points to it: ｶﾃｺﾞﾘ名 does, and the name's field takes it by name.
    // It then leaves out the current line, which the description carries.
    Label3->setBuddy(Combo1);
    Text3->setAccessibleName(texts::categoryNameLabel);
    QObject::connect(Combo1, &QComboBox::currentTextChanged, Combo1,
                     &QComboBox::setAccessibleDescription);
    Combo1->view()->setAccessibleName(texts::categoryNameLabel);
    List1->setAccessibleName(texts::entryListName);

    // The fields hold whatever the catalogue holds; a limit would cut a long text on "変更".
    for (QLineEdit *field : {Text1, Text2, Text3, Text4})
        field->setMaxLength(std::numeric_limits<int>::max());

    // Labels take no focus; the others follow the window's tab order.
    const std::initializer_list<QWidget *> tabOrder = {
        List1,    Command4, Text1, Text2,    Command5, Command7, Command6, Command2,
        Command3, Combo1,   Text3, Command1, Command8, Text4,    Command9};
    QWidget *previous = nullptr;
    for (QWidget *widget : tabOrder) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void Form1Controls::setupMenus(QMainWindow *window, QMenu *popupMenu)
{
    window->menuBar()->addMenu(popupMenu);
    mnuMnu = window->menuBar()->addMenu(texts::menuMenu);
    mnuCloseWindow = mnuMnu->addAction(texts::closeWindowItem);
    mnuCloseWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnuQuit = mnuMnu->addAction(texts::quitItem);
    mnuQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuAutostart = mnuMnu->addAction(texts::autostartItem);
    mnuAutostart->setCheckable(true);
    mnuHotkey = mnuMnu->addAction(texts::hotkeyItem);
    mnuApplications = mnuMnu->addAction(texts::addApplicationsItem);
    mnuUndo = mnuMnu->addAction(texts::undoItem);
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRedo = mnuMnu->addAction(texts::redoItem);
    mnuRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnuMnu->addSeparator();
    mnuVer = mnuMnu->addAction(texts::versionItem);
}
