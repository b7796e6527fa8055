#pragma once

#include <QComboBox>
#include <QWheelEvent>

// The category drop-down list. The wheel changes the category only while the box has the
// focus: a user scrolling over the window must not lose the category they are in.
class CategoryBox : public QComboBox
{
    Q_OBJECT

public:
    explicit CategoryBox(QWidget *parent = nullptr) : QComboBox(parent)
    {
        setEditable(false);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void wheelEvent(QWheelEvent *event) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }
};
