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
    CategoryBox *Combo1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    EntryList *List1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command9 = nullptr;

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
