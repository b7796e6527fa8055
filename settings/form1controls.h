#pragma once

class CategoryBox;
class EntryList;
class QAction;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;

// The settings window's controls, placed as the window has always laid them out, and its
// menu bar.
struct Form1Controls
{
    // Which control is which, by its old name.
    CategoryBox *Combo1 = nullptr;   // the categories
    QLabel *Label1 = nullptr;        // "name" before Text1
    QLabel *Label2 = nullptr;        // "program" before Text2
    QLabel *Label3 = nullptr;        // "category name" above Text3
    QLabel *Label4 = nullptr;        // "work folder" before Text4
    QLineEdit *Text1 = nullptr;      // the entry's name
    QLineEdit *Text2 = nullptr;      // the entry's program (command line)
    QLineEdit *Text3 = nullptr;      // the category's name
    QLineEdit *Text4 = nullptr;      // the entry's work folder
    EntryList *List1 = nullptr;      // the category's entries
    QPushButton *Command1 = nullptr; // move the entry up
    QPushButton *Command2 = nullptr; // rename the category
    QPushButton *Command3 = nullptr; // clear the entry fields
    QPushButton *Command4 = nullptr; // delete the entry
    QPushButton *Command5 = nullptr; // browse for the program
    QPushButton *Command6 = nullptr; // change the entry
    QPushButton *Command7 = nullptr; // add an entry
    QPushButton *Command8 = nullptr; // move the entry down
    QPushButton *Command9 = nullptr; // browse for the work folder

    QMenu *mnuMnu = nullptr;
    QAction *mnuCloseWindow = nullptr;
    QAction *mnuQuit = nullptr;
    QAction *mnuAutostart = nullptr;
    QAction *mnuHotkey = nullptr;
    QAction *mnuApplications = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuVer = nullptr;

    void setupUi(QMainWindow *window);
    // The tray's menu first, then the window's own.
    void setupMenus(QMainWindow *window, QMenu *popupMenu);
};
