#pragma once

#include <QString>
#include <QStringList>

// Every text the user sees, as the program has always shown it.
namespace texts {

inline const QString uncategorised = QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ");
inline const QString placeholder = QStringLiteral("（無し）");
inline const QString crlf = QStringLiteral("\r\n");

// Buttons of several windows
inline const QString okButton = QStringLiteral("OK");
inline const QString cancelButton = QStringLiteral("ｷｬﾝｾﾙ");
inline const QString addButton = QStringLiteral("追加");

// Catalogue file
inline const QString fileOpenErrorTitle = QStringLiteral("ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ");
inline const QString fileOpenError = QStringLiteral("launch.cfg\r\n変更できません。");
inline const QString versionErrorTitle = QStringLiteral("ﾊﾞｰｼﾞｮﾝｴﾗｰ");
inline const QString versionError =
    QStringLiteral("launch.cfg\r\nﾃﾞｰﾀﾌｧｲﾙのﾊﾞｰｼﾞｮﾝが違うか、ﾃﾞｰﾀﾌｧｲﾙが壊れています。");

inline QString outsideChangeKept(const QString &copyName)
{
    return QStringLiteral("launch.cfg\r\n他のﾌﾟﾛｸﾞﾗﾑで変更された内容を ") + copyName +
           QStringLiteral(" として保存しました。");
}

// Launching
inline const QString launchErrorTitle = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ");
inline QString launchError(const QString &programPath)
{
    return QStringLiteral("[") + programPath +
           QStringLiteral("] - ﾌﾟﾛｸﾞﾗﾑが見つからないか、起動できません");
}

// Editing
inline const QString registerTitle = QStringLiteral("登録");
inline const QString changeTitle = QStringLiteral("変更");
inline const QString deleteTitle = QStringLiteral("削除");
inline const QString renameTitle = QStringLiteral("ｶﾃｺﾞﾘ名変更");
inline const QString catalogueFull = QStringLiteral("これ以上の登録はできません。");
inline const QString fieldsEmpty = QStringLiteral("内容が記入されていません。");
inline const QString nothingSelected = QStringLiteral("項目が選択されていません。");
inline const QString cannotChange = QStringLiteral("変更できません。");
// An edit the rules allowed and the model still refused: a fault of the program, said all the same.
inline const QString editNotMade = QStringLiteral("この変更はできませんでした。");
inline const QString unusableCharacters = QStringLiteral("使用できない文字が含まれています。");

// Settings window
inline const QString settingsTitle = QStringLiteral("設定");
inline const QString categoryNameLabel = QStringLiteral("ｶﾃｺﾞﾘ名");
inline const QString entryListName = QStringLiteral("登録ﾌﾟﾛｸﾞﾗﾑ"); // read out only
inline const QString renameButton = QStringLiteral("ｶﾃｺﾞﾘ名変更");
inline const QString upButton = QStringLiteral("↑");
inline const QString downButton = QStringLiteral("↓");
inline const QString changeButton = QStringLiteral("変更");
inline const QString deleteButton = QStringLiteral("削除");
inline const QString entryNameLabel = QStringLiteral("登録名");
inline const QString clearButton = QStringLiteral("ｸﾘｱ");
inline const QString programLabel = QStringLiteral("起動プログラム");
inline const QString browseButton = QStringLiteral("参照");
inline const QString workFolderLabel = QStringLiteral("作業ﾌｫﾙﾀﾞ");
inline const QString menuMenu = QStringLiteral("ﾒﾆｭｰ(&M)");
inline const QString closeWindowItem = QStringLiteral("このｳｨﾝﾄﾞｳを閉じる(&W)");
inline const QString quitItem = QStringLiteral("終了(&Q)");
inline const QString autostartItem = QStringLiteral("ﾛｸﾞｵﾝ時に起動(&L)");
inline const QString hotkeyItem = QStringLiteral("ﾎｯﾄｷｰ(&K)...");
inline const QString undoItem = QStringLiteral("元に戻す(&U)");
inline const QString redoItem = QStringLiteral("やり直し(&R)");
inline const QString versionItem = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)");
inline const QString programFilter =
    QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*");

// Tray menu
inline const QString popupMenuTitle = QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰ");
inline const QString configItem = QStringLiteral("設定");
inline const QString popupVersionItem = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");
inline const QString popupQuitItem = QStringLiteral("終了");

// Version dialog
inline const QString versionTitle = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");
inline const QString sysInfoButton = QStringLiteral("ｼｽﾃﾑ情報(&S)...");
inline const QString versionLabel = QStringLiteral("ﾊﾞｰｼﾞｮﾝ");
inline QString versionOf(int major, int minor, int revision)
{
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(major).arg(minor).arg(revision);
}
inline QString trayCredit(const QString &library)
{
    return QStringLiteral("ﾄﾚｲｱｲｺﾝ: QSystemTrayIcon (%1) - The Qt Project").arg(library);
}
inline const QString noWarranty = QStringLiteral("本ソフトウェアは無保証です。");
inline QString versionTitleOf(const QString &title)
{
    return title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報");
}

// Working-folder chooser
inline const QString folderChooserTitle = QStringLiteral("作業ﾌｫﾙﾀﾞの指定");
inline const QString fileErrorTitle = QStringLiteral("ﾌｧｲﾙｴﾗｰ");
inline const QString folderNotFound = QStringLiteral("ﾃﾞｨﾚｸﾄﾘが見つかりません。");

// Program file and dropped files
inline const QString desktopEntryUnusable = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟｴﾝﾄﾘを読み込めません。");

// Version information
inline const QString sysInfoUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

// Start at login
inline const QString autostartTitle = QStringLiteral("ﾛｸﾞｵﾝ時に起動");
inline const QString autostartFailed = QStringLiteral("ﾛｸﾞｵﾝ時の起動を設定できません。");

// Search window
inline const QString searchTitle = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ検索");
inline const QString searchFieldName = QStringLiteral("検索する名前");
inline const QString searchFieldHint = QStringLiteral("名前・読み（ローマ字可）・ﾌﾟﾛｸﾞﾗﾑ名");
inline const QString searchListName = QStringLiteral("見つかったﾌﾟﾛｸﾞﾗﾑ");
inline const QString searchCatalogueEmpty = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑが登録されていません。");
inline const QString searchNoMatch = QStringLiteral("一致するﾌﾟﾛｸﾞﾗﾑはありません。");
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
inline const QString hotkeyTitle = QStringLiteral("ﾎｯﾄｷｰ");
inline const QString hotkeyUse = QStringLiteral("ﾎｯﾄｷｰで検索ｳｨﾝﾄﾞｳを開く(&H)");
inline const QString hotkeyKey = QStringLiteral("ｷｰ(&K):");
inline const QString hotkeyActive =
    QStringLiteral("有効です。どこからでもこのｷｰで検索ｳｨﾝﾄﾞｳが開きます。");
inline const QString hotkeyTaken =
    QStringLiteral("このｷｰは他のﾌﾟﾛｸﾞﾗﾑが使っています。別のｷｰを選んでください。");
inline const QString hotkeyUnavailable =
    QStringLiteral("このﾃﾞｽｸﾄｯﾌﾟではﾎｯﾄｷｰを登録できません。ﾃﾞｽｸﾄｯﾌﾟのｷｰﾎﾞｰﾄﾞ設定で、"
                   "ｺﾏﾝﾄﾞ「quorvel --search」にｷｰを割り当ててください。");
inline const QString hotkeyPending = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟに問い合わせています…");
inline const QString hotkeyOff = QStringLiteral("ﾎｯﾄｷｰは使いません。");
inline const QString hotkeyNotSaved =
    QStringLiteral("ﾎｯﾄｷｰの設定を保存できません。次に起動するまでは、このｷｰが有効です。");
inline const QString hotkeyDescription = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ検索を開く");

// Installed applications
inline const QString addApplicationsItem = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝから追加(&P)...");
inline const QString addApplicationsTitle = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの追加");
inline const QString pickerFieldName = QStringLiteral("検索(&S):");
inline const QString pickerCategory = QStringLiteral("追加先(&C):");
inline const QString pickerListName = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ");
inline const QString pickerReading = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを読み込んでいます…");
inline const QString pickerNone = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。");
inline const QString alreadyListed = QStringLiteral("（登録済み）");
// A row of the picker by its name, marked when the list starts it already; an action's row is
// set in under its application's.
inline QString pickerRowName(const QString &name, bool listed)
{
    return listed ? name + QStringLiteral("  ") + alreadyListed : name;
}
inline const QString pickerActionIndent = QStringLiteral("　　");
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
inline const QString noCommandLine = QStringLiteral("1行のｺﾏﾝﾄﾞﾗｲﾝで起動できません。");
inline const QString searchInstalled = QStringLiteral("未登録");
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
inline const QString commandLineHelp = QStringLiteral(
    "使い方: quorvel [--search | --popup | --help | --version]\n"
    "通知領域に常駐するプログラムランチャーです。アイコンをクリックすると、登録したプログラムの"
    "メニューが開きます。\n"
    "\n"
    "  --search       プログラム検索のウィンドウを開きます（起動していなければ起動します）\n"
    "  --popup        ポインターの位置にメニューを開きます（X11）\n"
    "  -h, --help     この説明を表示して終了します\n"
    "  -v, --version  バージョンを表示して終了します\n"
    "起動中に実行すると、起動中のプログラムが応えてすぐに終了します。\n");
inline QString commandLineError(const QString &what)
{
    return QStringLiteral("quorvel: ") + what + QStringLiteral("（--help で使い方を表示します）\n");
}
inline QString unknownOption(const QString &name)
{
    const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
    return QStringLiteral("不明なオプションです: ") + dashes + name;
}
inline const QString conflictingOptions = QStringLiteral("--search と --popup は同時に使えません");
inline const QString missingOptionValue = QStringLiteral("オプションの値がありません");
inline QString unexpectedArgument(const QString &argument)
{
    return QStringLiteral("引数は取りません: ") + argument;
}
inline const QString noTray =
    QStringLiteral("quorvel: 通知領域（トレイ）が見つかりません。現れしだいアイコンを表示します\n");
inline QString tooManyDesktopEntries(const QString &folder, int read)
{
    return QStringLiteral(
               "quorvel: %1 にはデスクトップエントリが多すぎます。最初の %2 個だけを読みます")
        .arg(folder)
        .arg(read);
}
inline const QString noDisplay = QStringLiteral(
    "quorvel: ディスプレイに接続できません（DISPLAY も WAYLAND_DISPLAY も使えません）");

} // namespace texts
