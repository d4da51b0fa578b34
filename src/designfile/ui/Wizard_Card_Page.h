#pragma once
// The card page both wizards share: category, orientation, size and sides of the new
// card; and the collaborators the wizards are given.
#include "PictureAdjuster.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>

class QComboBox;
class QDialog;
class QLabel;
class QListWidget;
class QPaintEvent;

// A preset card size in points: the preset table's millimetres of the category, "H" or
// "V" and the row, at 72 points per inch.
QSizeF Wizard_Card_Size_Points(const QString &category, const QString &orientation, int row);

// What the wizards use from the application, handed to them when they are made.
struct Wizard_Collaborators {
    QStringList pvc_sizes, paper_sizes;  // names of the preset rows by category
    // The image library for a background; the chosen file or none.
    std::function<std::optional<QString>()> choose_library_picture;
    // The two-side profile dialog for a card of "1" or "2" sides; 1 for OK.
    std::function<int(const QString &sides)> open_profile;
    // A file chooser for pictures; "" when cancelled.
    std::function<QString(const QString &title)> choose_picture_file;
    std::function<Picture(const QString &path)> preview;  // the picture's preview
    const PictureAdjuster *adjuster = nullptr;
    QImage pattern;  // tiled under the wizards' content
};

// The card the page describes.
struct Wizard_Card_Choice {
    QString category;     // "PVC Card" or "Paper Card"
    QString orientation;  // "H" or "V"
    int row = 0;          // of the category's size list
    QString preset;       // the row's name
    QString sides;        // "2" or "1"
    QSizeF size;          // points
};

class Wizard_Card_Page : public QWidget {
    Q_OBJECT
public:
    Wizard_Card_Page(QStringList pvc, QStringList paper, QWidget *parent = nullptr);

    // Category text, "Horizontal"/"Vertical", size row, sides item (0 front and back).
    void select(const QString &category, const QString &orientation, int row, int sidesItem);
    Wizard_Card_Choice choice() const;
    QString sidesValue() const;  // "1" when an item other than the first is selected

    QComboBox *category = nullptr, *orientation = nullptr;
    QListWidget *sizes = nullptr, *sides = nullptr;

private:
    void fillSizes();
    QStringList m_pvc, m_paper;
};

// Draws the pattern tiled under a wizard's content.
void Paint_Wizard_Pattern(QWidget &w, const QImage &pattern);

// Shows the wizard modally and hides it when it closes: 1 when it was accepted, else 0.
int Run_Wizard(QDialog &wizard);

// Asks the image library for a picture; a chosen one is kept in `path` and its file
// name shown in `name`. Nothing changes when none is chosen.
void Pick_Library_Picture(const Wizard_Collaborators &with, QString &path, QLabel &name);
