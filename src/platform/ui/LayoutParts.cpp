#include "LayoutParts.h"

#include <QBoxLayout>
#include <QLabel>

QLabel *Make_Bold(QLabel *label)
{
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QHBoxLayout *Button_Row(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *b : buttons)
        row->addWidget(b);
    return row;
}

QVBoxLayout *Stack_Layout(QWidget *owner, std::initializer_list<Stacked> parts)
{
    auto *layout = owner ? new QVBoxLayout(owner) : new QVBoxLayout;
    for (const Stacked &p : parts) {
        if (p.widget)
            layout->addWidget(p.widget, p.stretch);
        else if (p.layout)
            layout->addLayout(p.layout, p.stretch);
    }
    return layout;
}
