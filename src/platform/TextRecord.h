#pragma once
// The rich text of a text control: one string drawn in one font and colour.
#include <QColor>
#include <QFont>
#include <QString>

struct TextRecord {
    QString text;
    QFont font;
    QColor color = Qt::black;

    bool operator==(const TextRecord &o) const { return text == o.text && font == o.font && color == o.color; }
};
