#pragma once

#include <QComboBox>

class Catalogue;

// The category drop-down list: line i is category i, line 0 the uncategorised group; the lines
// follow the catalogue's names. The wheel changes the category only
// while the box has the focus: a user scrolling over the window must not lose the category
// they are in.
class CategoryBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CategoryBox(QWidget *parent = nullptr);

    void follow(const Catalogue &catalogue);

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void showName(int c);

    const Catalogue *m_catalogue = nullptr;
};
