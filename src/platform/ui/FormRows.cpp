#include "FormRows.h"

#include "ColorWell.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

QWidget *Make_Row_Widget(const Form_Row &row)
{
    const Row_Range &r = row.range;
    switch (row.kind) {
    case Row_Widget::Check: return new QCheckBox(row.label);
    case Row_Widget::Choice: {
        auto *c = new QComboBox;
        c->addItems(row.items);
        return c;
    }
    case Row_Widget::Decimal: {
        auto *s = new QDoubleSpinBox;
        s->setRange(r.min, r.max);
        s->setDecimals(r.decimals);
        s->setSingleStep(r.step);
        s->setKeyboardTracking(row.live);
        return s;
    }
    case Row_Widget::Whole: {
        auto *s = new QSpinBox;
        s->setRange(int(r.min), int(r.max));
        s->setSuffix(row.suffix);
        s->setKeyboardTracking(row.live);
        return s;
    }
    case Row_Widget::Percent: {
        auto *s = new QSlider(Qt::Horizontal);
        s->setRange(0, 100);
        return s;
    }
    case Row_Widget::Colour: return new ColorWell(row.colour);
    case Row_Widget::Line: return new QLineEdit;
    case Row_Widget::Path: {
        auto *e = new QLineEdit;
        e->setReadOnly(true);
        return e;
    }
    case Row_Widget::Text: return new QPlainTextEdit;
    case Row_Widget::Button: return new QPushButton(row.label);
    case Row_Widget::Note: return new QLabel(row.label);
    case Row_Widget::List: return new QListWidget;
    }
    return nullptr;
}

namespace {
// The widget carries its own text: no label before it.
bool labelsItself(Row_Widget kind)
{
    return kind == Row_Widget::Check || kind == Row_Widget::Button || kind == Row_Widget::Note;
}
} // namespace

std::vector<QWidget *> Build_Form_Rows(QBoxLayout *layout, const std::vector<Form_Row> &rows,
                                       std::vector<QGroupBox *> *boxes)
{
    std::vector<QWidget *> made;
    QGroupBox *box = nullptr;
    QFormLayout *form = nullptr;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Form_Row &row = rows[i];
        if (!box || box->title() != row.box) {
            box = new QGroupBox(row.box);
            form = new QFormLayout(box);
            layout->addWidget(box);
            if (boxes) boxes->push_back(box);
        }
        QWidget *w = Make_Row_Widget(row);
        made.push_back(w);
        QLabel *label = nullptr;
        if (row.labelMade || (!labelsItself(row.kind) && !row.label.isEmpty())) label = new QLabel(row.label);
        // Rows that stand beside this one share its line.
        QHBoxLayout *line = nullptr;
        std::vector<size_t> joined;
        for (size_t j = i + 1; j < rows.size() && rows[j].beside && rows[j].box == row.box; ++j) {
            if (!line) {
                line = new QHBoxLayout;
                line->setContentsMargins(0, 0, 0, 0);
                line->addWidget(w);
            }
            QWidget *other = Make_Row_Widget(rows[j]);
            line->addWidget(other);
            made.push_back(other);
            joined.push_back(j);
        }
        if (line && label)
            form->addRow(label, line);
        else if (line)
            form->addRow(line);
        else if (label)
            form->addRow(label, w);
        else
            form->addRow(w);
        if (row.labelMade) row.labelMade(label);
        if (row.made) row.made(w);
        for (size_t j : joined)
            if (rows[j].made) rows[j].made(made[made.size() - joined.size() + (j - i - 1)]);
        i += joined.size();
    }
    return made;
}
