#include "texts.h"

namespace texts {

const QString uncategorised = QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ");
const QString placeholder = QStringLiteral("（無し）");
const QString crlf = QStringLiteral("\r\n");

// Buttons of several windows
const QString okButton = QStringLiteral("OK");
const QString cancelButton = QStringLiteral("ｷｬﾝｾﾙ");
const QString addButton = QStringLiteral("追加");

// Catalogue file
const QString fileOpenErrorTitle = QStringLiteral("ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ");
const QString fileOpenError = QStringLiteral("launch.cfg\r\n変更できません。");
const QString versionErrorTitle = QStringLiteral("ﾊﾞｰｼﾞｮﾝｴﾗｰ");
const QString versionError =
    QStringLiteral("launch.cfg\r\nﾃﾞｰﾀﾌｧｲﾙのﾊﾞｰｼﾞｮﾝが違うか、ﾃﾞｰﾀﾌｧｲﾙが壊れています。");

// Launching
const QString launchErrorTitle = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ開始ｴﾗｰ");

// Editing
const QString registerTitle = QStringLiteral("登録");
const QString changeTitle = QStringLiteral("変更");
const QString deleteTitle = QStringLiteral("削除");
const QString renameTitle = QStringLiteral("ｶﾃｺﾞﾘ名変更");
const QString catalogueFull = QStringLiteral("これ以上の登録はできません。");
const QString fieldsEmpty = QStringLiteral("内容が記入されていません。");
const QString nothingSelected = QStringLiteral("項目が選択されていません。");
const QString cannotChange = QStringLiteral("変更できません。");
const QString editNotMade = QStringLiteral("この変更はできませんでした。");
const QString unusableCharacters = QStringLiteral("使用できない文字が含まれています。");

// Settings window
const QString settingsTitle = QStringLiteral("設定");
const QString categoryNameLabel = QStringLiteral("ｶﾃｺﾞﾘ名");
const QString entryListName = QStringLiteral("登録ﾌﾟﾛｸﾞﾗﾑ");
const QString renameButton = QStringLiteral("ｶﾃｺﾞﾘ名変更");
const QString upButton = QStringLiteral("↑");
const QString downButton = QStringLiteral("↓");
const QString changeButton = QStringLiteral("変更");
const QString deleteButton = QStringLiteral("削除");
const QString entryNameLabel = QStringLiteral("登録名");
const QString clearButton = QStringLiteral("ｸﾘｱ");
const QString programLabel = QStringLiteral("起動プログラム");
const QString browseButton = QStringLiteral("参照");
const QString workFolderLabel = QStringLiteral("作業ﾌｫﾙﾀﾞ");
const QString menuMenu = QStringLiteral("ﾒﾆｭｰ(&M)");
const QString closeWindowItem = QStringLiteral("このｳｨﾝﾄﾞｳを閉じる(&W)");
const QString quitItem = QStringLiteral("終了(&Q)");
const QString autostartItem = QStringLiteral("ﾛｸﾞｵﾝ時に起動(&L)");
const QString hotkeyItem = QStringLiteral("ﾎｯﾄｷｰ(&K)...");
const QString undoItem = QStringLiteral("元に戻す(&U)");
const QString redoItem = QStringLiteral("やり直し(&R)");
const QString versionItem = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)");
const QString programFilter =
    QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|全てのﾌｧｲﾙ(*.*)|*.*");

// Tray menu
const QString popupMenuTitle = QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰ");
const QString configItem = QStringLiteral("設定");
const QString popupVersionItem = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");
const QString popupQuitItem = QStringLiteral("終了");

// Version dialog
const QString versionTitle = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報");
const QString sysInfoButton = QStringLiteral("ｼｽﾃﾑ情報(&S)...");
const QString versionLabel = QStringLiteral("ﾊﾞｰｼﾞｮﾝ");
const QString noWarranty = QStringLiteral("本ソフトウェアは無保証です。");

// Working-folder chooser
const QString folderChooserTitle = QStringLiteral("作業ﾌｫﾙﾀﾞの指定");
const QString fileErrorTitle = QStringLiteral("ﾌｧｲﾙｴﾗｰ");
const QString folderNotFound = QStringLiteral("ﾃﾞｨﾚｸﾄﾘが見つかりません。");

// Program file and dropped files
const QString desktopEntryUnusable = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟｴﾝﾄﾘを読み込めません。");

// Version information
const QString sysInfoUnavailable = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");

// Start at login
const QString autostartTitle = QStringLiteral("ﾛｸﾞｵﾝ時に起動");
const QString autostartFailed = QStringLiteral("ﾛｸﾞｵﾝ時の起動を設定できません。");

// Search window
const QString searchTitle = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ検索");
const QString searchFieldName = QStringLiteral("検索する名前");
const QString searchFieldHint = QStringLiteral("名前・読み（ローマ字可）・ﾌﾟﾛｸﾞﾗﾑ名");
const QString searchListName = QStringLiteral("見つかったﾌﾟﾛｸﾞﾗﾑ");
const QString searchCatalogueEmpty = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑが登録されていません。");
const QString searchNoMatch = QStringLiteral("一致するﾌﾟﾛｸﾞﾗﾑはありません。");

// Hotkey
const QString hotkeyTitle = QStringLiteral("ﾎｯﾄｷｰ");
const QString hotkeyUse = QStringLiteral("ﾎｯﾄｷｰで検索ｳｨﾝﾄﾞｳを開く(&H)");
const QString hotkeyKey = QStringLiteral("ｷｰ(&K):");
const QString hotkeyActive = QStringLiteral("有効です。どこからでもこのｷｰで検索ｳｨﾝﾄﾞｳが開きます。");
const QString hotkeyTaken =
    QStringLiteral("このｷｰは他のﾌﾟﾛｸﾞﾗﾑが使っています。別のｷｰを選んでください。");
const QString hotkeyUnavailable =
    QStringLiteral("このﾃﾞｽｸﾄｯﾌﾟではﾎｯﾄｷｰを登録できません。ﾃﾞｽｸﾄｯﾌﾟのｷｰﾎﾞｰﾄﾞ設定で、"
                   "ｺﾏﾝﾄﾞ「quorvel --search」にｷｰを割り当ててください。");
const QString hotkeyPending = QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟに問い合わせています…");
const QString hotkeyOff = QStringLiteral("ﾎｯﾄｷｰは使いません。");
const QString hotkeyNotSaved =
    QStringLiteral("ﾎｯﾄｷｰの設定を保存できません。次に起動するまでは、このｷｰが有効です。");
const QString hotkeyDescription = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑ検索を開く");

// Installed applications
const QString addApplicationsItem = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝから追加(&P)...");
const QString addApplicationsTitle = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの追加");
const QString pickerFieldName = QStringLiteral("検索(&S):");
const QString pickerCategory = QStringLiteral("追加先(&C):");
const QString pickerListName = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ");
const QString pickerReading = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを読み込んでいます…");
const QString pickerNone = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。");
const QString alreadyListed = QStringLiteral("（登録済み）");
const QString pickerActionIndent = QStringLiteral("　　");
const QString noCommandLine = QStringLiteral("1行のｺﾏﾝﾄﾞﾗｲﾝで起動できません。");
const QString searchInstalled = QStringLiteral("未登録");

// Command line and start-up, on the terminal
const QString commandLineHelp = QStringLiteral(
    "使い方: quorvel [--search | --popup | --help | --version]\n"
    "通知領域に常駐するプログラムランチャーです。アイコンをクリックすると、登録したプログラムの"
    "メニューが開きます。\n"
    "\n"
    "  --search       プログラム検索のウィンドウを開きます（起動していなければ起動します）\n"
    "  --popup        ポインターの位置にメニューを開きます（X11）\n"
    "  -h, --help     この説明を表示して終了します\n"
    "  -v, --version  バージョンを表示して終了します\n"
    "起動中に実行すると、起動中のプログラムが応えてすぐに終了します。\n");
const QString conflictingOptions = QStringLiteral("--search と --popup は同時に使えません");
const QString missingOptionValue = QStringLiteral("オプションの値がありません");
const QString noTray =
    QStringLiteral("quorvel: 通知領域（トレイ）が見つかりません。現れしだいアイコンを表示します\n");
const QString noDisplay = QStringLiteral(
    "quorvel: ディスプレイに接続できません（DISPLAY も WAYLAND_DISPLAY も使えません）");

} // namespace texts
