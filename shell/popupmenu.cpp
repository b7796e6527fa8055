#include "shell/popupmenu.h"

#include "catalogue/catalogue.h"
#include "platform/desktop/programicons.h"
#include "platform/system/memory.h"
#include "texts.h"

#include <QApplication>
#include <QMenu>
#include <QProxyStyle>
#include <utility>

namespace {

// A menu taller than the screen scrolls, as the menus of the system the launcher comes from
// do, instead of spreading into columns: 99 entries read better in one column.
class ScrollingMenuStyle : public QProxyStyle
{
public:
    ScrollingMenuStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Menu_Scrollable)
            return true;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PopupMenu::PopupMenu(const Catalogue &catalogue, platform::ProgramIcons &icons, QObject *parent)
    : QObject(parent), m_catalogue(catalogue), m_icons(icons),
      m_root(std::make_unique<QMenu>(texts::popupMenuTitle))
{
    auto *style = new ScrollingMenuStyle;
    style->setParent(this); // outlives the menus, which m_root deletes first
    m_root->setStyle(style);
    for (int c = 1; c < Catalogue::CategoryCount; ++c) {
        QMenu *submenu = m_root->addMenu(Catalogue::defaultCategoryName(c));
        submenu->setStyle(style);
        m_arrays[c].menu = submenu;
    }
    // The separators stand where they are designed to, even first in the menu of an empty
    // catalogue; they are never next to each other.
    m_root->setSeparatorsCollapsible(false);
    mnuLine = m_root->addSeparator();
    m_arrays[0].menu = m_root.get();
    m_arrays[0].before = mnuLine;
    mnuConfig = m_root->addAction(texts::configItem);
    mnuVersion = m_root->addAction(texts::popupVersionItem);
    m_root->addSeparator();
    mnuPop_End = m_root->addAction(texts::popupQuitItem);

    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        QAction *placeholder = createElement(c, texts::placeholder);
        placeholder->setEnabled(false);
        connect(m_arrays[c].menu, &QMenu::aboutToShow, this, [this, c] { makeElements(c); });
    }
    // The root at once: a StatusNotifier host pops it up from the layout it read before it
    // hears from AboutToShow, at the size of what it read.
    makeElements(0);
    // One connection for every element: a submenu's choice reaches the root menu too.
    connect(m_root.get(), &QMenu::triggered, this, &PopupMenu::elementTriggered);
    connect(&m_icons, &platform::ProgramIcons::iconsChanged, this, &PopupMenu::showIcons);

    connect(&m_catalogue, &Catalogue::entryAppended, this, &PopupMenu::AppendMenuItem);
    connect(&m_catalogue, &Catalogue::entryChanged, this, &PopupMenu::showEntry);
    connect(&m_catalogue, &Catalogue::entryRemoved, this, &PopupMenu::entryRemoved);
    connect(&m_catalogue, &Catalogue::entriesSwapped, this, [this](int c, int k, int q) {
        showEntry(c, k);
        showEntry(c, q);
    });
    connect(&m_catalogue, &Catalogue::categoryRenamed, this, &PopupMenu::showCategoryName);
    connect(&m_catalogue, &Catalogue::replaced, this, &PopupMenu::rebuild);
}

void PopupMenu::elementTriggered(QAction *action)
{
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        const ItemArray &array = m_arrays[c];
        if (action->parent() != array.menu)
            continue;
        // The fixed commands stand in the root menu too, but in no item array.
        if (const qsizetype k = array.elements.indexOf(action); k >= 1)
            emit itemChosen(c, int(k));
        return;
    }
}

PopupMenu::~PopupMenu() = default;

QAction *PopupMenu::createElement(int c, const QString &caption)
{
    ItemArray &array = m_arrays[c];
    auto *action = new QAction(caption, array.menu);
    array.menu->insertAction(array.before, action);
    array.elements.append(action);
    return action;
}

void PopupMenu::prepareFirstPopup()
{
    m_root->ensurePolished();
    m_root->sizeHint();
    platform::returnFreedMemory(); // what reading the font configuration took
}

QSize PopupMenu::sizeAsShown()
{
    makeElements(0);
    return m_root->sizeHint();
}

QAction *PopupMenu::header(int c) const
{
    return c >= 1 && c < Catalogue::CategoryCount ? m_arrays[c].menu->menuAction() : nullptr;
}

QAction *PopupMenu::item(int c, int k) const
{
    if (!Catalogue::isCategory(c) || k < 0 || k >= m_arrays[c].elements.size())
        return nullptr;
    return m_arrays[c].elements[k];
}

int PopupMenu::elementCount(int c) const
{
    return Catalogue::isCategory(c) ? int(m_arrays[c].elements.size()) : 0;
}

void PopupMenu::showCategoryName(int c)
{
    if (QAction *h = header(c))
        h->setText(m_catalogue.CategoryName(c));
}

void PopupMenu::showWhetherEmpty(int c)
{
    const bool empty = m_catalogue.EntryCount(c) == 0;
    if (QAction *h = header(c))
        h->setVisible(!empty);
    // A submenu is never empty: its placeholder stands in while no entry does.
    item(c, 0)->setVisible(empty && c != 0);
}

void PopupMenu::showEntry(int c, int k)
{
    QAction *element = item(c, k);
    if (!element || k == 0)
        return;
    element->setText(m_catalogue.entry(c, k).EntryName);
    element->setIcon(iconOf(c, k));
}

QIcon PopupMenu::iconOf(int c, int k) const
{
    const Entry &entry = m_catalogue.entry(c, k);
    return m_icons.icon(entry.ProgramPath, entry.WorkFolder);
}

void PopupMenu::showIcons()
{
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        for (int k = 1; k < elementCount(c); ++k) {
            const QIcon icon = iconOf(c, k);
            QAction *element = item(c, k);
            if (element->icon().cacheKey() != icon.cacheKey())
                element->setIcon(icon);
        }
    }
}

void PopupMenu::AppendMenuItem(int c)
{
    if (!Catalogue::isCategory(c))
        return;
    if (m_arrays[c].made) {
        // Only the element for entry n may be created, and only once.
        if (m_catalogue.EntryCount(c) != elementCount(c))
            return;
        createEntryElement(c);
    }
    // Shown before the placeholder goes, so the submenu is never empty.
    showWhetherEmpty(c);
}

void PopupMenu::createEntryElement(int c)
{
    const int k = elementCount(c);
    QAction *element = createElement(c, m_catalogue.entry(c, k).EntryName);
    // An icon not known yet is looked up later, off the start-up path.
    if (const QIcon icon = iconOf(c, k); !icon.isNull())
        element->setIcon(icon);
}

void PopupMenu::entryRemoved(int c, int k)
{
    // The entries after k moved down; the last element, now one too many, goes after the
    // placeholder is back.
    for (int i = k; i <= m_catalogue.EntryCount(c); ++i)
        showEntry(c, i);
    showWhetherEmpty(c);
    if (m_arrays[c].made)
        delete m_arrays[c].elements.takeLast();
}

void PopupMenu::makeElements(int c)
{
    if (std::exchange(m_arrays[c].made, true))
        return;
    while (elementCount(c) <= m_catalogue.EntryCount(c))
        createEntryElement(c);
}

void PopupMenu::rebuild()
{
    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        showCategoryName(c);
        if (m_arrays[c].made) {
            const int n = m_catalogue.EntryCount(c);
            QList<QAction *> &elements = m_arrays[c].elements;
            while (elements.size() > n + 1)
                delete elements.takeLast();
            for (int k = 1; k < elements.size(); ++k)
                showEntry(c, k);
            while (elements.size() <= n)
                createEntryElement(c);
        } else {
            // Looked up all the same, to be there when the menu first opens.
            for (int k = 1; k <= m_catalogue.EntryCount(c); ++k)
                iconOf(c, k);
        }
        showWhetherEmpty(c);
    }
}
