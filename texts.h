#pragma once

#include <QString>
#include <QStringList>

// Every text the user sees, as the program has always shown it. The plain ones are written in
// texts.cpp, each made once: as inline variables here, every file including this one carried
// the code that makes all of them.
namespace texts {

extern const QString uncategorised;
extern const QString placeholder;
extern const QString crlf;

// Buttons of several windows
extern const QString okButton;
extern const QString cancelButton;
extern const QString addButton;

// Catalogue file
extern const QString fileOpenErrorTitle;
extern const QString fileOpenError;
extern const QString versionErrorTitle;
extern const QString versionError;

inline QString outsideChangeKept(const QString &copyName)
{
    return QStringLiteral("launch.cfg\r\n他のﾌﾟﾛｸﾞﾗﾑで変更された内容を ") + copyName +
           QStringLiteral(" として保存しました。");
}

// Launching
extern const QString launchErrorTitle;
inline QString launchError(const QString &programPath)
{
    return QStringLiteral("[") + programPath +
           QStringLiteral("] - ﾌﾟﾛｸﾞﾗﾑが見つからないか、起動できません");
}

// Editing
extern const QString registerTitle;
extern const QString changeTitle;
extern const QString deleteTitle;
extern const QString renameTitle;
extern const QString catalogueFull;
extern const QString fieldsEmpty;
extern const QString nothingSelected;
extern const QString cannotChange;
// An edit the rules allowed and the model still refused: a fault of the program, said all the same.
extern const QString editNotMade;
extern const QString unusableCharacters;

// Settings window
extern const QString settingsTitle;
extern const QString categoryNameLabel;
extern const QString entryListName; // read out only
extern const QString renameButton;
extern const QString upButton;
extern const QString downButton;
extern const QString changeButton;
extern const QString deleteButton;
extern const QString entryNameLabel;
extern const QString clearButton;
extern const QString programLabel;
extern const QString browseButton;
extern const QString workFolderLabel;
extern const QString menuMenu;
extern const QString closeWindowItem;
extern const QString quitItem;
extern const QString autostartItem;
extern const QString hotkeyItem;
extern const QString undoItem;
extern const QString redoItem;
extern const QString versionItem;
extern const QString programFilter;

// Tray menu
extern const QString popupMenuTitle;
extern const QString configItem;
extern const QString popupVersionItem;
extern const QString popupQuitItem;

// Version dialog
extern const QString versionTitle;
extern const QString sysInfoButton;
extern const QString versionLabel;
inline QString versionOf(int major, int minor, int revision)
{
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(major).arg(minor).arg(revision);
}
inline QString trayCredit(const QString &library)
{
    return QStringLiteral("ﾄﾚｲｱｲｺﾝ: QSystemTrayIcon (%1) - The Qt Project").arg(library);
}
extern const QString noWarranty;
inline QString versionTitleOf(const QString &title)
{
    return title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報");
}

// Working-folder chooser
extern const QString folderChooserTitle;
extern const QString fileErrorTitle;
extern const QString folderNotFound;

// Program file and dropped files
extern const QString desktopEntryUnusable;

// Version information
extern const QString sysInfoUnavailable;

// Start at login
extern const QString autostartTitle;
extern const QString autostartFailed;

// Search window
extern const QString searchTitle;
extern const QString searchFieldName;
extern const QString searchFieldHint;
extern const QString searchListName;
extern const QString searchCatalogueEmpty;
extern const QString searchNoMatch;
inline QString searchRowName(const QString &name, const QString &category)
{
    return name + QStringLiteral("、") + category;
}
// What a screen reader says of the chosen row, while the keyboard stays in the field.
inline QString searchRowSpoken(const QString &rowName, int position, int count)
{
    return rowName + QStringLiteral("。") + QString::number(count) + QStringLiteral("件中") +
           QString::number(position) + QStringLiteral("件目");
}

// Hotkey
extern const QString hotkeyTitle;
extern const QString hotkeyUse;
extern const QString hotkeyKey;
extern const QString hotkeyActive;
extern const QString hotkeyTaken;
extern const QString hotkeyUnavailable;
extern const QString hotkeyPending;
extern const QString hotkeyOff;
extern const QString hotkeyNotSaved;
extern const QString hotkeyDescription;

// Installed applications
extern const QString addApplicationsItem;
extern const QString addApplicationsTitle;
extern const QString pickerFieldName;
extern const QString pickerCategory;
extern const QString pickerListName;
extern const QString pickerReading;
extern const QString pickerNone;
extern const QString alreadyListed;
// A row of the picker by its name, marked when the list starts it already; an action's row is
// set in under its application's.
inline QString pickerRowName(const QString &name, bool listed)
{
    return listed ? name + QStringLiteral("  ") + alreadyListed : name;
}
extern const QString pickerActionIndent;
// lines: one leftOutBecause for each application.
inline QString applicationsLeftOut(const QStringList &lines)
{
    return QStringLiteral("次のｱﾌﾟﾘｹｰｼｮﾝは追加できませんでした:\r\n") +
           lines.join(QStringLiteral("\r\n"));
}
inline QString leftOutBecause(const QString &name, const QString &reason)
{
    return name + QStringLiteral(" … ") + reason;
}
// Its program has an argument with a blank in it, or it runs in a terminal and none is found.
extern const QString noCommandLine;
extern const QString searchInstalled;
// An application's own action as an entry of the list: both names, in characters the list holds.
inline QString actionEntryName(const QString &application, const QString &action)
{
    return application + QStringLiteral(" - ") + action;
}
// The search window's keys beyond Enter; installed: the row chosen is an installed application.
inline QString searchKeysHint(bool installed)
{
    return (installed ? QStringLiteral("Ctrl+Enter: ｶﾃｺﾞﾘ外ﾒﾆｭｰに登録　") : QString()) +
           QStringLiteral("Ctrl+E: 編集　Shift+Enter: 入力したｺﾏﾝﾄﾞを実行");
}

// Command line and start-up, on the terminal
extern const QString commandLineHelp;
inline QString commandLineError(const QString &what)
{
    return QStringLiteral("quorvel: ") + what + QStringLiteral("（--help で使い方を表示します）\n");
}
inline QString unknownOption(const QString &name)
{
    const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
    return QStringLiteral("不明なオプションです: ") + dashes + name;
}
extern const QString conflictingOptions;
extern const QString missingOptionValue;
inline QString unexpectedArgument(const QString &argument)
{
    return QStringLiteral("引数は取りません: ") + argument;
}
extern const QString noTray;
inline QString tooManyDesktopEntries(const QString &folder, int read)
{
    return QStringLiteral(
               "quorvel: %1 にはデスクトップエントリが多すぎます。最初の %2 個だけを読みます")
        .arg(folder)
        .arg(read);
}
extern const QString noDisplay;

} // namespace texts
