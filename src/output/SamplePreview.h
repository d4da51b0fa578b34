#pragma once
// The sample sheet of the print window: the paper, its printable area and every cell
// of one sheet labelled with the side printed there ("Front 3", "Back 3"), the cards
// outlined in the card's shape, with crop marks when chosen. No card pictures.
#include "PageGeometry.h"

#include <QImage>
#include <QWidget>

struct Sample_Sheet {
    Page_Layout layout;
    bool hasFront = true;     // without a front picture every cell says "Invalid Data"
    bool showMargins = true;  // outline every card
    bool cropMarks = false;
    int cardShape = 0;        // 0 rectangle, 1 rounded rectangle, 2 ellipse
};

// Draws the sheet at one unit per point from the paper's top left corner.
void Draw_Sample_Sheet(QPainter &painter, const Sample_Sheet &sheet);
// The sheet as a picture of one pixel per point (72 dots per inch); null, with nothing
// allocated, when it would be over the bound of PictureLimit.h (logged).
QImage Sample_Sheet_Image(const Sample_Sheet &sheet);

// The sheet shown scaled to the widget's width.
class Sample_Preview : public QWidget {
public:
    explicit Sample_Preview(QWidget *parent = nullptr);
    void setSheet(const Sample_Sheet &sheet);
    const Sample_Sheet &sheet() const { return m_sheet; }
    // The view's picture: the sheet at one pixel per point; null without paper.
    QImage imageRepresentation() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Sample_Sheet m_sheet;
};
