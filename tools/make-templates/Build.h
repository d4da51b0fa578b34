#pragma once
// Building blocks of the built-in templates: card sides, text, shapes and pictures
// made with the application's own control classes, and the writer that stores a
// template with its preview.
#include "Card_Property.h"
#include "DesignFile.h"
#include "SKTGraphic.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <vector>

namespace templates {

// Card sizes in points (72 per inch).
inline const QSizeF kCR80Horizontal(243, 154);
inline const QSizeF kCR80Vertical(154, 243);
inline const QSizeF kInvitationCard(5.91 * 72, 4.96 * 72);

// Colours shared by the designs.
namespace colour {
inline const QColor navy(0x1F, 0x3A, 0x5F);
inline const QColor blue(0x2F, 0x5D, 0x9A);
inline const QColor teal(0x17, 0x95, 0x88);
inline const QColor darkTeal(0x0F, 0x6B, 0x63);
inline const QColor amber(0xF2, 0xA5, 0x41);
inline const QColor ink(0x1E, 0x29, 0x35);
inline const QColor caption(0x5B, 0x6B, 0x7A);
inline const QColor frame(0xC9, 0xD3, 0xDD);
inline const QColor paleTeal(0xBF, 0xE8, 0xE2);
inline const QColor white(Qt::white);
} // namespace colour

struct TextStyle {
    QString font;      // a Font_With_Name name ("Liberation Sans-Bold")
    double size = 7;   // points
    QColor colour = colour::ink;
    int align = 0;     // 0 left, 1 right, 2 centred
    double kerning = 0;
    // 2 centred in the box, 0 from its top. Centring goes by the unwrapped text, so
    // text that wraps into lines starts from the top.
    int valign = 2;
};

// One side of a card: its controls in drawing order (the first added is drawn first,
// so it ends at the bottom).
class Side {
public:
    void add(const GraphicPtr &g) { m_controls.push_back(g); }
    // The design file's order: index 0 on top.
    std::vector<GraphicPtr> topFirst() const { return {m_controls.rbegin(), m_controls.rend()}; }

    // A filled rectangle without outline; with a second colour a gradient at `angle`
    // degrees (0 from left to right).
    void band(const QRectF &r, const QColor &fill, const QColor &fill2 = {}, double angle = 0);
    // A shape of the code ("R", "RR", "C", ...) with fill (none when invalid) and outline
    // (none when the width is 0).
    void shape(const QString &code, const QRectF &r, const QColor &fill, const QColor &stroke, double strokeWidth,
               double radius = 10);
    void text(const QRectF &r, const QString &value, const TextStyle &style, const QString &id = {});
    // A caption and its value, IDs "Fup_lbl_<word>" and "Fup_<word>".
    void field(const QString &word, const QString &caption, const QRectF &captionRect, const TextStyle &captionStyle,
               const QString &value, const QRectF &valueRect, const TextStyle &valueStyle);
    // A picture of the resources folder (a name relative to it) stretched into `r`.
    void picture(const QRectF &r, const QString &resourceName, const QString &id = {});
    // A photo in a thin frame.
    void photo(const QRectF &r, const QString &id);
    // A line to sign or write on at height y, with a caption under it.
    void signLine(double x, double y, double width, const QString &caption, const TextStyle &captionStyle);
    // A signature showing the sample signature, over a sign line.
    void signature(const QRectF &r, const QString &caption, const TextStyle &captionStyle);

private:
    std::vector<GraphicPtr> m_controls;
};

// The card properties of one side.
struct CardLayout {
    QString name;
    QSizeF size = kCR80Horizontal;
    QString sides = QStringLiteral("2");  // "1" one-sided, "2" two-sided
    bool paper = false;                   // paper card (else PVC)
    int sizeIndex = 0;                    // row of the card-size list
    QString subCategory = QStringLiteral("CR80-Credit Card Size");
    QString shape = QStringLiteral("R");
    QColor fill = colour::white;
    QString backgroundPicture;            // resources-relative; empty for a plain fill
};
Card_Property Make_Card(const CardLayout &card, const QString &sideName);

struct Template {
    QString category;  // folder under "Templates"
    QString name;      // file name without extension
    CardLayout card;
    Side front;
    Side back;
};

std::vector<Template> Visitor_Pass_Templates();
std::vector<Template> Id_Card_Templates();
std::vector<Template> Invitation_Templates();

// Writes "<name>.zcd" and its preview "<name>.png" into
// <resources>/Templates/<category>/ (resources being Resource_Path), then reads the
// design back from the written file. The template's pictures are loaded from
// Resource_Path; once the preview is drawn their paths take the portable form, so the
// template is spent. False with a reason in *error.
bool Write_Template(const QString &resources, const Template &t, QString *error);

// Draws both sides of the template at four times its size into the folder, as
// "<name> front.png" and "<name> back.png".
void Draw_For_Review(const QString &folder, const Template &t);

// A picture path that stays valid wherever the application is installed: the form
// of a path into an application bundle's resources, which the design-file reader
// re-points into the resources folder in use.
QString Portable_Resource_Path(const QString &resourceName);

} // namespace templates
