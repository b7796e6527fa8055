#include "shell/popupplacement.h"

#include <QTest>

class TestPopupPlacement : public QObject
{
    Q_OBJECT

private slots:
    void besideTheIconAndNeverOverAPanel_data()
    {
        QTest::addColumn<QRect>("workArea"); // of a 1280×800 screen at (0, 0)
        QTest::addColumn<QPoint>("requested");
        QTest::addColumn<QPoint>("expected"); // for a 200×300 menu, the pointer at (640, 400)
        const QRect topPanel(0, 28, 1280, 772), bottomPanel(0, 0, 1280, 772),
            leftPanel(48, 0, 1232, 800), rightPanel(0, 0, 1232, 800);
        QTest::newRow("icon on a top panel, at the right") << topPanel << QPoint(1155, 12)
                                                          << QPoint(956, 28);
        QTest::newRow("icon on a bottom panel") << bottomPanel << QPoint(1155, 785)
                                                << QPoint(956, 472);
        QTest::newRow("icon on a left panel") << leftPanel << QPoint(20, 400) << QPoint(48, 400);
        QTest::newRow("icon on a right panel") << rightPanel << QPoint(1260, 400)
                                               << QPoint(1032, 400);
        QTest::newRow("(0, 0): the pointer") << topPanel << QPoint(0, 0) << QPoint(640, 400);
        QTest::newRow("(0, 25), as MATE sends: the pointer") << topPanel << QPoint(0, 25)
                                                             << QPoint(640, 400);
        QTest::newRow("off every screen: the pointer") << topPanel << QPoint(-50, 5000)
                                                       << QPoint(640, 400);
        QTest::newRow("near the work area's corner: flipped") << bottomPanel << QPoint(1200, 700)
                                                             << QPoint(1001, 401);
        QTest::newRow("in the work area") << topPanel << QPoint(300, 200) << QPoint(300, 200);
    }

    void besideTheIconAndNeverOverAPanel()
    {
        QFETCH(QRect, workArea);
        QFETCH(QPoint, requested);
        QFETCH(QPoint, expected);
        const QList<ScreenArea> screen{{QRect(0, 0, 1280, 800), workArea}};
        QCOMPARE(popupPosition(requested, {640, 400}, {200, 300}, screen), expected);
    }

    void aPanelLeftInTheWorkAreaIsLeftOut()
    {
        const QRect screen(0, 0, 1280, 800);
        const ScreenArea whole{screen, screen};
        QCOMPARE(workAreaWithout(whole, QRect(0, 0, 1280, 24)), QRect(0, 24, 1280, 776));
        QCOMPARE(workAreaWithout(whole, QRect(0, 770, 1280, 30)), QRect(0, 0, 1280, 770));
        QCOMPARE(workAreaWithout(whole, QRect(1240, 0, 40, 800)), QRect(0, 0, 1240, 800));
        // A work area that leaves it out already, and a panel on another screen, stay.
        QCOMPARE(workAreaWithout({screen, QRect(0, 30, 1280, 770)}, QRect(0, 0, 1280, 24)),
                 QRect(0, 30, 1280, 770));
        QCOMPARE(workAreaWithout(whole, QRect(-1280, 0, 1280, 24)), screen);
        // MATE's (0, 25) with the pointer on the panel: the menu opens below it.
        const QList<ScreenArea> screens{{screen, workAreaWithout(whole, QRect(0, 0, 1280, 24))}};
        QCOMPARE(popupPosition({0, 25}, {1100, 12}, {200, 300}, screens), QPoint(901, 24));
    }

    void theScreenThePointLiesOnCounts()
    {
        // A second screen to the left, with its own top panel; a menu taller than any.
        const QList<ScreenArea> screens{{QRect(-1280, 0, 1280, 800), QRect(-1280, 30, 1280, 770)},
                                        {QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800)}};
        QCOMPARE(popupPosition({-100, 12}, {640, 400}, {200, 300}, screens), QPoint(-299, 30));
        QCOMPARE(popupPosition({-100, 12}, {640, 400}, {200, 2000}, screens), QPoint(-299, 30));
    }
};

QTEST_MAIN(TestPopupPlacement)
#include "testpopupplacement.moc"
