#pragma once

#include <QList>
#include <QObject>
#include <array>
#include <memory>

class Catalogue;
class QAction;
class QIcon;
class QMenu;
class QSize;

namespace platform {
class ProgramIcons;
}

// The tray popup: a submenu header per named category, the uncategorised items, then the
// fixed commands. Each category has one item array whose element k stands for entry k and
// whose element 0 is the disabled "（無し）" placeholder. Built once and changed in place as
// the catalogue announces its changes; an element shows its entry's name and, once known, its
// program's icon. An empty category's header, and the uncategorised placeholder, are hidden.
// A menu's entry elements are made the first time it is about to show: until then it holds its
// placeholder alone, and a launcher at rest does not keep a thousand actions nobody opened.
class PopupMenu : public QObject
{
    Q_OBJECT

public:
    PopupMenu(const Catalogue &catalogue, platform::ProgramIcons &icons, QObject *parent = nullptr);
    ~PopupMenu() override;

    QMenu *mnuPoP() const { return m_root.get(); }
    QAction *header(int c) const;      // ctr(c), c = 1 … 7
    QAction *item(int c, int k) const; // element k of c's item array
    int elementCount(int c) const;     // elements 0 … n once made, so n + 1; else 1

    // Loads the fonts ahead of the first click, so that the first popup opens about as fast
    // as any later one.
    void prepareFirstPopup();
    // The root menu's size once it shows, its elements made.
    QSize sizeAsShown();

    // Creates the element for the newest entry of category c and hides the placeholder.
    void AppendMenuItem(int c);

    QAction *mnuLine = nullptr;
    QAction *mnuConfig = nullptr;
    QAction *mnuVersion = nullptr;
    QAction *mnuPop_End = nullptr;

signals:
    // Element k ≥ 1 of category c's item array was chosen.
    void itemChosen(int c, int k);

private:
    struct ItemArray
    {
        QMenu *menu = nullptr;     // where the elements stand
        QAction *before = nullptr; // the elements go before this, or at the end
        QList<QAction *> elements;
        bool made = false; // the entries' elements, beside the placeholder
    };

    QAction *createElement(int c, const QString &caption);
    // The element for entry elementCount(c), the next one.
    void createEntryElement(int c);
    void elementTriggered(QAction *action);
    void showIcons();
    // Entry k's icon as far as known; asking queues the lookup.
    QIcon iconOf(int c, int k) const;
    // Element k shows entry k of category c as the catalogue holds it now.
    void showEntry(int c, int k);
    void entryRemoved(int c, int k);
    void showCategoryName(int c);
    // An empty category's header, or the uncategorised placeholder, is hidden.
    void showWhetherEmpty(int c);
    // Makes category c's entry elements if they are not made yet.
    void makeElements(int c);
    void rebuild();

    const Catalogue &m_catalogue;
    platform::ProgramIcons &m_icons;
    std::unique_ptr<QMenu> m_root;
    std::array<ItemArray, 8> m_arrays;
};
