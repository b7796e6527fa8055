#include "dialogs/twips.h"
#include "uicatalogue.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Choosing a category and an entry in the settings window.
class TestSelection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Launcher> m_launcher;
    Launcher &l() { return *m_launcher; }

    bool activateForm()
    {
        QApplication::setActiveWindow(&l().form());
        return QTest::qWaitForWindowActive(&l().form());
    }

private slots:
    void init()
    {
        QList<Line> lines = {
            {0, "z1", "/bin/z1", "/z"}, {3, "c1", "/bin/c1", "/c"}, {3, "c2", "/bin/c2"}};
        for (int k = 1; k <= 99; ++k)
            lines.append(
                {6, QStringLiteral("f%1").arg(k), QStringLiteral("/bin/f%1").arg(k), "/f"});
        m_launcher = std::make_unique<Launcher>(catalogueFile(lines, {"項目1", "項目2", "ｴﾃﾞｨﾀ"}));
        QCOMPARE(l().start(), TrayApplication::StartResult::Running);
        l().popup().mnuConfig->trigger();
    }

    void choosingACategoryKeepsTheEntryFields()
    {
        l().selectRow(0);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("z1"));
        l().chooseCategory(2); // no entries
        QCOMPARE(l().listRows(), QStringList());
        QCOMPARE(l().ui().Text3->text(), QStringLiteral("項目2"));
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("z1"));
        QCOMPARE(l().ui().Text2->text(), QStringLiteral("/bin/z1"));
        QCOMPARE(l().ui().Text4->text(), QStringLiteral("/z"));

        l().chooseCategory(3);
        QCOMPARE(l().listRows(), (QStringList{"c1", "c2"}));
        QCOMPARE(l().form().selectedRow(), -1);
        QCOMPARE(l().ui().Text3->text(), QStringLiteral("ｴﾃﾞｨﾀ"));
        QCOMPARE(l().form().CurrentCategory(), 3);
        l().selectRow(1);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("c2"));
        QCOMPARE(l().ui().Text4->text(), QString());

        l().chooseCategory(0);
        QCOMPARE(l().ui().Text3->text(), QStringLiteral("ｶﾃｺﾞﾘ外ﾒﾆｭｰ"));
    }

    void longTextsPassThroughTheFieldsWhole()
    {
        const QString longName(40000, u'ｱ');
        l().setFields(longName, "/bin/long");
        l().form().Command7_Click();
        l().selectRow(l().ui().List1->count() - 1);
        QCOMPARE(l().ui().Text1->text(), longName);
    }

    void lastOfNinetyNineRowsShowsEntryNinetyNine()
    {
        l().chooseCategory(6);
        l().selectRow(98);
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("f99"));
        QCOMPARE(l().ui().Text2->text(), QStringLiteral("/bin/f99"));
    }

    void selectingARowAgainReplacesEdits()
    {
        l().selectRow(0);
        l().ui().Text1->setText(QStringLiteral("edited"));
        QListWidget *list = l().ui().List1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(l().ui().Text1->text(), QStringLiteral("z1"));
        QCOMPARE(l().catalogue().entry(0, 1).EntryName, QStringLiteral("z1"));
    }

    void clearEmptiesOnlyTheEntryFields()
    {
        l().chooseCategory(3);
        l().selectRow(1);
        QTest::mouseClick(l().ui().Command3, Qt::LeftButton);
        for (QLineEdit *field : {l().ui().Text1, l().ui().Text2, l().ui().Text4})
            QVERIFY(field->text().isEmpty());
        QCOMPARE(l().form().selectedRow(), 1);
        QCOMPARE(l().ui().Text3->text(), QStringLiteral("ｴﾃﾞｨﾀ"));
    }

    void focusEnteringTheListKeepsTheEntryFields()
    {
        // Fill the fields, choose another category by keyboard, tab on to "追加": the fields
        // are added there.
        QVERIFY(activateForm());
        l().setFields("typed", "/bin/typed", "/t");
        l().ui().Combo1->setFocus();
        for (int line = 1; line <= 3; ++line)
            QTest::keyClick(l().ui().Combo1, Qt::Key_Down);
        QCOMPARE(l().form().CurrentCategory(), 3);
        auto tabTo = [](QWidget *target) {
            for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            return QApplication::focusWidget() == target;
        };
        QVERIFY(tabTo(l().ui().List1));
        QCOMPARE(l().form().selectedRow(), -1);
        QVERIFY(tabTo(l().ui().Command7));
        QTest::keyClick(l().ui().Command7, Qt::Key_Space);
        QVERIFY(l().fake.messages.shown.isEmpty());
        QCOMPARE(l().catalogue().entry(3, 3), (Entry{"typed", "/bin/typed", "/t"}));
    }

    void aClickChoosesOnceAndCtrlClickKeepsTheRow()
    {
        EntryList *list = l().ui().List1;
        QSignalSpy chosen(list, &EntryList::rowChosen);
        const QPoint row0 = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0);
        QCOMPARE(chosen.size(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row0);
        QCOMPARE(l().form().selectedRow(), 0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(l().form().selectedRow(), 0);
    }

    void theWheelChangesTheCategoryOnlyWithTheFocus()
    {
        QVERIFY(activateForm());
        QComboBox *combo = l().ui().Combo1;
        auto wheelDown = [combo] {
            const QPointF at = combo->rect().center();
            QWheelEvent wheel(at, combo->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
        };
        l().ui().Text1->setFocus();
        wheelDown();
        QCOMPARE(l().form().CurrentCategory(), 0);
        combo->setFocus();
        wheelDown();
        QCOMPARE(l().form().CurrentCategory(), 1);
    }

    void userChoiceInTheComboRunsTheHandler()
    {
        QComboBox *combo = l().ui().Combo1;
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(l().form().CurrentCategory(), 1);
        QCOMPARE(l().ui().Text3->text(), QStringLiteral("項目1"));
    }

    void windowKeepsItsDesignedLayout()
    {
        Form1 &form = l().form();
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(
            !(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(form.centralWidget()->size(), QSize(twipsToPixels(6405), twipsToPixels(4530)));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(l().ui().List1->geometry(), twipsRect(0, 720, 4695, 2580));
        QCOMPARE(l().ui().Command9->geometry(), twipsRect(5520, 4200, 855, 255));
        QCOMPARE(form.windowTitle(), QStringLiteral("設定"));
        QVERIFY(!l().ui().Combo1->isEditable());
        QCOMPARE(l().ui().List1->selectionMode(), QAbstractItemView::SingleSelection);

        // Tab walks the controls in the designed order.
        const Form1Controls &ui = l().ui();
        const QList<QWidget *> expected = {ui.List1,    ui.Command4, ui.Text1,    ui.Text2,
                                           ui.Command5, ui.Command7, ui.Command6, ui.Command2,
                                           ui.Command3, ui.Combo1,   ui.Text3,    ui.Command1,
                                           ui.Command8, ui.Text4,    ui.Command9};
        QList<QWidget *> order;
        for (QWidget *w = ui.List1; order.size() < expected.size(); w = w->nextInFocusChain()) {
            if (expected.contains(w) && !order.contains(w))
                order.append(w);
        }
        QCOMPARE(order, expected);
    }
};

QTEST_MAIN(TestSelection)
#include "testselection.moc"
