#include "LayoutParts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QWidget>

int Run_Then_Hide(QDialog &dialog)
{
    const int result = dialog.exec();
    dialog.hide();
    return result;
}

void Paint_Window_Background(QWidget &window)
{
    QPalette p = window.palette();
    p.setColor(QPalette::Window, QColor(241, 244, 250));
    window.setPalette(p);
    window.setAutoFillBackground(true);
}

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

QHBoxLayout *Radio_Row(QButtonGroup *group, const QStringList &titles)
{
    auto *row = new QHBoxLayout;
    for (int i = 0; i < titles.size(); ++i) {
        auto *radio = new QRadioButton(titles[i]);
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    return row;
}

namespace {
void Add_Parts(QBoxLayout *layout, std::initializer_list<Layout_Part> parts)
{
    for (const Layout_Part &p : parts) {
        if (p.widget)
            layout->addWidget(p.widget, p.stretch);
        else if (p.layout)
            layout->addLayout(p.layout, p.stretch);
        else
            layout->addStretch(p.stretch);
    }
}
} // namespace

QHBoxLayout *Side_By_Side(std::initializer_list<Layout_Part> parts)
{
    auto *row = new QHBoxLayout;
    Add_Parts(row, parts);
    return row;
}

QVBoxLayout *Stack_Layout(QWidget *owner, std::initializer_list<Layout_Part> parts)
{
    auto *layout = owner ? new QVBoxLayout(owner) : new QVBoxLayout;
    Add_Parts(layout, parts);
    return layout;
}
