#include "shell/popupmenu.h"

#include "catalogue/catalogue.h"
#include "texts.h"

#include <QMenu>

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent), m_root(std::make_unique<QMenu>(QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰ")))
{
    for (int c = 1; c < Catalogue::CategoryCount; ++c) {
        QMenu *submenu = m_root->addMenu(Catalogue::defaultCategoryName(c));
        m_arrays[c].menu = submenu;
    }
    // The separators stand where they are designed to, even first in the menu of an empty
    // catalogue; they are never next to each other.
    m_root->setSeparatorsCollapsible(false);
    mnuLine = m_root->addSeparator();
    m_arrays[0].menu = m_root.get();
    m_arrays[0].before = mnuLine;
    mnuConfig = m_root->addAction(QStringLiteral("設定"));
    mnuVersion = m_root->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    m_root->addSeparator();
    mnuPop_End = m_root->addAction(QStringLiteral("終了"));

    for (int c = 0; c < Catalogue::CategoryCount; ++c) {
        QAction *placeholder = createElement(c, texts::placeholder);
        placeholder->setEnabled(false);
    }
}

PopupMenu::~PopupMenu() = default;

QAction *PopupMenu::createElement(int c, const QString &caption)
{
    ItemArray &array = m_arrays[c];
    const int index = int(array.elements.size());
    auto *action = new QAction(caption, array.menu);
    array.menu->insertAction(array.before, action);
    array.elements.append(action);
    if (index > 0)
        connect(action, &QAction::triggered, this, [this, c, index] { emit itemChosen(c, index); });
    return action;
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

void PopupMenu::setHeaderCaption(int c, const QString &caption)
{
    if (QAction *h = header(c))
        h->setText(caption);
}

void PopupMenu::setHeaderVisible(int c, bool visible)
{
    if (QAction *h = header(c))
        h->setVisible(visible);
}

void PopupMenu::setPlaceholderVisible(int c, bool visible)
{
    if (QAction *placeholder = item(c, 0))
        placeholder->setVisible(visible);
}

void PopupMenu::setItemCaption(int c, int k, const QString &caption)
{
    if (QAction *element = item(c, k))
        element->setText(caption);
}

void PopupMenu::swapItemCaptions(int c, int k, int q)
{
    QAction *first = item(c, k);
    QAction *second = item(c, q);
    if (!first || !second)
        return;
    const QString kept = first->text();
    first->setText(second->text());
    second->setText(kept);
}

void PopupMenu::AppendMenuItem(int c, const Catalogue &catalogue)
{
    if (!Catalogue::isCategory(c))
        return;
    const int n = catalogue.EntryCount(c);
    // Only the element for entry n may be created, and only once.
    if (n != elementCount(c))
        return;
    QAction *element = createElement(c, catalogue.entry(c, n).EntryName);
    element->setVisible(true);
    element->setEnabled(true);
    // Shown before the placeholder goes, so the submenu is never empty.
    setPlaceholderVisible(c, false);
}

void PopupMenu::removeLastItem(int c)
{
    if (elementCount(c) <= 1)
        return;
    delete m_arrays[c].elements.takeLast();
}
