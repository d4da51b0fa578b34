#pragma once
// The cuts of the cropping window as pure functions: the drawn-rectangle and face cuts
// from a selection in view points (y-up, from the picture's bottom-left corner), the
// face grown by a percentage, the fixed-size cut, output names and the width/height
// text rule. Pictures are QImages (y-down); callable from any thread.
#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

// A selection in view points turned into picture points (still y-up): each number
// divided by the view's ratio (view points per picture point) of its axis.
QRectF Crop_Source_Rect(const QRectF &selection, QSizeF ratio);

// A y-up rectangle of a picture `height` high as the same rectangle y-down, and back.
QRectF Flip_Rect_Y(const QRectF &rect, double height);

// Cuts the y-up picture rectangle out of the picture; a null picture when the rectangle
// has no width or height. Parts outside the picture stay transparent.
QImage Cut_Picture(const QImage &picture, const QRectF &sourceYUp);

// The face grown by `percent` of its width and height, half on each side.
QRectF Grow_Face_Rect(const QRectF &face, double percent);

// View points per picture point for the face rectangle: the view's width over the
// picture's when the picture overhangs the view at least as much across as down,
// else the heights'. The ratio of the cut, so the rectangle lands where it is cut.
double Face_Scale(QSizeF picture, QSizeF view);

// The fixed-size cut's size: W x H, or with `aspect` the picture scaled to fit inside.
QSizeF Fixed_Crop_Size(double width, double height, QSizeF picture, bool aspect);

// The whole picture scaled to the fixed-size cut's size; null when it has no width/height.
QImage Crop_By_Given_Size(const QImage &picture, double width, double height, bool aspect);

// The output formats' extensions: "jpg", "bmp", "png", "tiff"; empty for another index.
QString Crop_Format_Extension(int format);

// The normal mode's output path: with `customName` set, the custom name (followed by
// "_<counter>" when the counter is above 0), else the input's base name; in the output
// folder, with the format's extension (none for an unknown format).
QString Cropped_File_Name(const QString &outputFolder, bool customName, const QString &name,
                          const QString &inputPath, int format, int counter);

// Why a custom output name typed cannot be used, empty when it can: none given, "Please
// select output file custom name."; one holding "/" (a path, where a plain name of the
// output folder is asked for), "Please enter valid file name.".
QString Crop_Custom_Name_Refusal(const QString &typed);

// The width/height text after an edit and the stepper value it gives: empty or 0 → "1";
// more than 5 characters → the first 5 (then empty-or-0 again → "1"); above 10000 →
// "10000".
struct Size_Text {
    QString text;
    int value;
};
Size_Text Crop_Size_Text_Rule(const QString &typed);
