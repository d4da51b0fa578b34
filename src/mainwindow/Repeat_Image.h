#pragma once
// A strip that repeats one picture across its whole area, the first tile at its own
// top-left corner: moving or resizing the strip never shifts the tiles against it.
// The main window's banner and the promotion window's background are made of it.
#include <QImage>
#include <QWidget>

class Repeat_Image : public QWidget {
    Q_OBJECT
public:
    explicit Repeat_Image(QWidget *parent = nullptr);

    // The picture to repeat; a null picture leaves the strip in its window colour.
    void setTile(const QImage &tile);
    const QImage &tile() const { return m_tile; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_tile;
    bool m_reportedMissing = false;
};

// The promotion window's background: the same repeated picture.
using Promotion_Pattern = Repeat_Image;
