#pragma once
// The template list of the galleries: built-in templates by category (the category
// combo's first letter; "A" lists every folder but "User") or the user's templates
// with Delete, Copy and Rename. The selected template is its preview's path.
#include "WidgetDecls.h"

#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class Export_Template;

// The thumbnails' size at a zoom value from 0 to 1: 64 x 44 pixels at 0, 160 x 110
// at 0.5 (the starting zoom), 256 x 176 at 1.
QSize Gallery_Thumbnail_Size(double zoom);

class Template_Gallery : public QWidget {
    Q_OBJECT
public:
    // templatesFolder: the shipped "Templates" folder; userFolder: "Templates/User" of
    // the per-user data folder.
    Template_Gallery(const QString &templatesFolder, const QString &userFolder, QWidget *parent = nullptr);

    // Built-in templates of the category letter.
    void Fill_Templates(const QString &letter);
    void Fill_Templates_User_Defined();
    // The selected template's preview path; "" when none.
    QString Selected_Template_Path() const;

    // Lists design files by their previews (the name shown under each), with a blank
    // card first when asked; the selected item is then the design's path ("" for the
    // blank card). Used by windows that choose their own templates.
    void Show_Designs(const QStringList &designPaths, bool blankCard);
    // Shows or hides the source and category choices and the user-template commands.
    void Set_Choosers_Visible(bool visible);

    // The thumbnails take the size of the zoom value (0 to 1); the slider shows it.
    void zoomSliderDidChange(double value);
    double zoomValue() const { return m_zoom; }
    // Items laid out in cells this much larger than the thumbnails (names under them).
    void Set_Grid_Margin(const QSize &extra);

    void Delete_Template_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();

    // Asks the new name of a user template (present name in); nullopt on Cancel. By
    // default the export-as-template name dialog titled "Rename Template".
    std::function<std::optional<QString>(const QString &)> askName;

    QComboBox *cat_cmbo_bx = nullptr;
    QComboBox *template_category_combo = nullptr;
    QListWidget *imageBrowser = nullptr;
    QWidget *template_btn_box = nullptr;
    QPushButton *Delete_temp_btn = nullptr;
    QPushButton *Copy_temp_btn = nullptr;
    QPushButton *Rename_temp_btn = nullptr;
    QLabel *_zoom_label = nullptr;
    QSlider *_zoom_slider = nullptr;  // 0 to 100: the zoom in hundredths

signals:
    void templateSelected(const QString &previewPath);

private:
    void fill(const QStringList &previews);
    bool userSelectionExists() const;
    bool userMode() const;

    QString m_templates;
    QString m_user;
    bool m_choosers = true;
    double m_zoom = 0.5;
    QSize m_gridMargin;
    Export_Template *m_nameDialog = nullptr;  // the rename dialog, made on first use
};
