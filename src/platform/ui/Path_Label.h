#pragma once
// A label for a path or a name that can be long: it asks for room for the whole text,
// but can be narrower, its text then cut short in the middle ("/home/.../book.xlsx");
// its tool tip always shows the whole text.
#include <QLabel>

class Path_Label : public QLabel {
public:
    explicit Path_Label(QWidget *parent = nullptr);
    QSize minimumSizeHint() const override;
    // The text as it fits the label's width now.
    QString shownText() const;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
};
