#include "catalogue/catalogue.h"
#include "shell/popupmenu.h"
#include "uicatalogue.h"

#include <QSignalSpy>
#include <QTest>

class TestPopupMenu : public QObject
{
    Q_OBJECT

  private slots:
    void freshMenuHasTheDesignedTree()
    {
        PopupMenu popup;
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

    void appendPlacesItemsAfterTheArraysLastElement()
    {
        PopupMenu popup;
        Catalogue catalogue;
        for (const char *name : {"A", "B"}) {
            catalogue.append(0, {QString::fromLatin1(name), "p", ""});
            popup.AppendMenuItem(0, catalogue);
        }
        catalogue.append(3, {"C", "p", ""});
        popup.AppendMenuItem(3, catalogue);

        QCOMPARE(visibleItems(popup.mnuPoP()).mid(7),
                 (QStringList{"A", "B", "-", "設定", "ﾊﾞｰｼﾞｮﾝ情報", "-", "終了"}));
        QCOMPARE(visibleItems(popup.header(3)->menu()), QStringList{"C"});
        QVERIFY(popup.item(3, 1)->isEnabled());
        QVERIFY(!popup.item(3, 0)->isVisible());
    }

    void appendIgnoresWhatIsNotANewEntry()
    {
        PopupMenu popup;
        Catalogue catalogue;
        popup.AppendMenuItem(8, catalogue);
        popup.AppendMenuItem(-1, catalogue);
        popup.AppendMenuItem(2, catalogue); // no entry was appended
        for (int c = 0; c < Catalogue::CategoryCount; ++c)
            QCOMPARE(popup.elementCount(c), 1);
    }

    void removesOnlyTheLastElementAndNeverThePlaceholder()
    {
        PopupMenu popup;
        Catalogue catalogue;
        for (const char *name : {"A", "B"}) {
            catalogue.append(5, {QString::fromLatin1(name), "p", ""});
            popup.AppendMenuItem(5, catalogue);
        }
        popup.removeLastItem(5);
        QCOMPARE(visibleItems(popup.header(5)->menu()), QStringList{"A"});
        popup.removeLastItem(5);
        popup.removeLastItem(5);
        QCOMPARE(popup.elementCount(5), 1);
    }

    void choosingAnItemReportsCategoryAndIndex()
    {
        PopupMenu popup;
        Catalogue catalogue;
        for (const char *name : {"A", "B"}) {
            catalogue.append(7, {QString::fromLatin1(name), "p", ""});
            popup.AppendMenuItem(7, catalogue);
        }
        QSignalSpy chosen(&popup, &PopupMenu::itemChosen);
        popup.item(7, 2)->trigger();
        popup.swapItemCaptions(7, 1, 2);
        popup.item(7, 2)->trigger();
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.at(0), (QVariantList{7, 2}));
        QCOMPARE(chosen.at(1), (QVariantList{7, 2}));
        QCOMPARE(popup.item(7, 2)->text(), QStringLiteral("A"));
    }
};

QTEST_MAIN(TestPopupMenu)
#include "testpopupmenu.moc"
