#pragma once
// A picture with its size in points (pixels x 72 / dots per inch when the file carries
// a resolution, else one point per pixel). Copies share the pixels.
//
// A picture may instead carry a vector form: a drawing that paints itself at any
// scale. Copies share it; painters draw it as vector, and pixels are made from it
// only when asked for.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;

// A drawing measured in points that paints itself into any rectangle.
class PictureVector {
public:
    virtual ~PictureVector() = default;
    virtual QSizeF size() const = 0;
    // Paints the whole drawing scaled into the target rectangle.
    virtual void paint(QPainter &painter, const QRectF &target) const = 0;
};

class Picture {
public:
    // Resolution of the pixels that image() makes of a vector form.
    static constexpr double kVectorPixelDpi = 300;

    Picture() = default;
    explicit Picture(QImage image, QSizeF pointSize = {});
    // A picture of the drawing's size; none for no drawing or an empty size.
    static Picture fromVector(std::shared_ptr<const PictureVector> drawing);

    // The file's picture, read only when its data is whole (Read_Whole_Picture); none
    // otherwise.
    static Picture fromFile(const QString &path);

    bool isNull() const { return !m_vector && m_image.isNull(); }
    // The pixels; for a vector form, the drawing rasterised at kVectorPixelDpi (made once
    // and shared by the copies).
    const QImage &image() const;
    // The vector form, or none.
    const PictureVector *vector() const;
    // Pixels for the resolution: a vector form rasterised at ceil(dpi x points / 72)
    // pixels, unsmoothed; a pixel picture as it is.
    QImage rasterised(double dpi) const;
    // Size in points; an empty picture has size 0 x 0.
    QSizeF size() const { return m_size; }
    void setSize(QSizeF size) { m_size = size; }

    bool operator==(const Picture &o) const;

private:
    struct VectorForm;
    QImage m_image;
    std::shared_ptr<VectorForm> m_vector;
    QSizeF m_size{0, 0};
};

// Whether the file can be read as a picture: its reader knows it, its stored size is
// within the bound of PictureLimit.h, its data is whole (Picture_Data_Whole: a cut
// JPEG, BMP, GIF or XBM would otherwise read, with its missing part grey, other
// pictures' pixels, black or white), and its preview decodes.
// Every road that takes a picture file from the user asks this one question.
bool Picture_File_Readable(const QString &path);
// "The chosen file could not be opened as a picture."
QString Unreadable_Picture_Text();
// Picture_File_Readable; a file that is not says Unreadable_Picture_Text in a box.
bool Picture_File_Opens(const QString &path);

// The drawing rasterised at ceil(dpi x points / 72) pixels, scaled to fill them, without
// smoothing, on a transparent ground; the image carries the resolution. Null, with
// nothing allocated, over the bound of PictureLimit.h (logged).
QImage Rasterise_Vector(const PictureVector &drawing, double dpi);
