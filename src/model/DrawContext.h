#pragma once
// What the controls' drawing needs besides the control itself: the picture adjuster
// that makes an image control's shown picture, the application's resource folder, the
// folder of the hatch pattern pictures and the default text font. Drawing reads these
// from its argument only, so any thread draws a control alike. There is no context
// without an adjuster: whoever draws says how pictures are adjusted.
#include <QFont>
#include <QString>

struct PictureAdjuster;

struct DrawContext {
    explicit DrawContext(const PictureAdjuster &adjuster) : pictureAdjuster(&adjuster) {}

    const PictureAdjuster *pictureAdjuster;  // never null; outlives the drawing
    QString resourceFolder;   // Resource_Path, ending in "/"
    QString fillStyleFolder;  // the "Fill_Style_Image" folder, ending in "/"
    QString defaultFontName;
    double defaultFontSize = 12;

    // The font of a text control that names none: the font resolved when the context
    // was taken while the name and size are the same, else resolved now (a look-up in
    // the font database, dear on a thread that draws card after card).
    QFont defaultFont() const;
    // Resolves the default font of the name and size now.
    void resolveDefaultFont();

private:
    QFont m_resolvedFont;
    QString m_resolvedName;
    double m_resolvedSize = -1;
};

// The application's values as they stand now (Resource_Path, the default text font),
// with the adjuster of the caller. Callers take it on the GUI thread and hand it to the
// drawing.
DrawContext Application_Draw_Context(const PictureAdjuster &adjuster);
// The default text font as it stands now.
QFont Application_Default_Font();
