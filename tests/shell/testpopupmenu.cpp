#include "catalogue/catalogue.h"
#include "platform/desktop/programicons.h"
#include "shell/popupmenu.h"
#include "uicatalogue.h"

#include <QTest>

class TestPopupMenu : public QObject
{
    Q_OBJECT

private slots:
    void freshMenuHasTheDesignedTree()
    {
        Catalogue catalogue;
        platform::ProgramIcons icons;
        PopupMenu popup(catalogue, icons);
        QStringList all;
        for (const QAction *action : popup.mnuPoP()->actions())
            all.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(all, (QStringList{"項目1", "項目2", "項目3", "項目4", "項目5", "項目6", "項目7",
                                   "（無し）", "-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        for (int c = 0; c < Catalogue::CategoryCount; ++c) {
            QCOMPARE(popup.elementCount(c), 1);
            QVERIFY(!popup.item(c, 0)->isEnabled());
        }
        QCOMPARE(visibleItems(popup.header(3)->menu()), QStringList{"（無し）"});
    }

    void appendIgnoresWhatIsNotANewEntry()
    {
        Catalogue catalogue;
        platform::ProgramIcons icons;
        PopupMenu popup(catalogue, icons);
        opened(popup);
        popup.AppendMenuItem(8);
        popup.AppendMenuItem(-1);
        popup.AppendMenuItem(2); // no entry was appended
        for (int c = 0; c < Catalogue::CategoryCount; ++c)
            QCOMPARE(popup.elementCount(c), 1);
    }

    // A submenu makes its elements only as it first opens; what changed before shows then.
    void aSubmenuChangedBeforeItOpensShowsTheCatalogue()
    {
        Catalogue catalogue;
        platform::ProgramIcons icons;
        PopupMenu popup(catalogue, icons);
        QVERIFY(catalogue.append(3, {QStringLiteral("a"), {}, {}}));
        QVERIFY(catalogue.append(3, {QStringLiteral("b"), {}, {}}));
        QVERIFY(catalogue.append(5, {QStringLiteral("c"), {}, {}}));
        QVERIFY(catalogue.remove(3, 1));
        QVERIFY(catalogue.remove(5, 1));
        QVERIFY(catalogue.rename(3, QStringLiteral("ﾂｰﾙ")));
        QCOMPARE(popup.elementCount(3), 1);
        QVERIFY(popup.header(3)->isVisible());
        QVERIFY(!popup.header(5)->isVisible());

        QCOMPARE(visibleItems(popup.header(3)->menu()), QStringList{"b"});
        QCOMPARE(popup.header(3)->text(), QStringLiteral("ﾂｰﾙ"));
        QCOMPARE(visibleItems(popup.header(5)->menu()), QStringList{"（無し）"});
        QVERIFY(catalogue.append(3, {QStringLiteral("d"), {}, {}}));
        QCOMPARE(visibleItems(popup.header(3)->menu()), (QStringList{"b", "d"}));
        // The root has its entries before it is ever shown.
        QVERIFY(catalogue.append(0, {QStringLiteral("e"), {}, {}}));
        QCOMPARE(popup.elementCount(0), 2);
        QCOMPARE(popup.item(0, 1)->text(), QStringLiteral("e"));
    }
};

QTEST_MAIN(TestPopupMenu)
#include "testpopupmenu.moc"
