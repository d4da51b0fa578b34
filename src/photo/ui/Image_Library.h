#pragma once
// The picture library: a modal picker of one picture from the collections that come
// with the application. Mode "C" (image controls) shows "Image Library" with a list of
// categories, the folders of "LibraryImage"; any other mode shows "Background Image
// Library" with the pictures of "Background". OK answers 1 with the chosen path in
// selected_image; Cancel answers 0.
#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

class Modal_Runner;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QSlider;
class LibraryBrowserModel;

// A browser item.
struct MyImageObject {
    QString path;
    QString image_Name;  // the file name
    QString image_UID;   // the file name
};

// What a picture chosen in the library is for: a control's picture (the library's
// categories) or a card background.
enum class Library_Purpose { Control, Background };

class Image_Library : public QDialog {
    Q_OBJECT
public:
    explicit Image_Library(QWidget *parent = nullptr, Modal_Runner *runner = nullptr);
    ~Image_Library() override;

    // Runs the window modally from an empty list, zoom 0.4 and no chosen path; the
    // modal code (1 after OK).
    int Open_Library_Window();

    Library_Purpose control_or_BG = Library_Purpose::Control;
    QString selected_image;
    std::vector<MyImageObject> images;

    // ---- Actions (the window's controls call these) ----
    void Fill_Combobox();
    void Load_Category(int row);
    void Load_and_fill_backgrounds();
    void addImageWithPath(const QString &path, const QString &name, const QString &uid);
    void OK_Clicked();
    void Cancel_Clicked();
    void zoomSliderDidChange(int value);
    // The browser's requests: a move by drag follows the library's order rule; removal
    // is refused.
    void imageBrowser_moveItemsAtIndexes(const std::vector<int> &indexes, int to);
    void imageBrowser_removeItemsAtIndexes(const std::vector<int> &indexes);
    // Selects the item (as a click does); its path becomes selected_image.
    void selectItem(int index);
    double zoom() const { return m_zoom; }

    QComboBox *cat_cmbo_bx = nullptr;
    QLabel *category_label = nullptr;
    QListView *imageBrowser = nullptr;
    QSlider *_zoom_slider = nullptr;
    QLabel *_zoom_label = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr;

    void reject() override { Cancel_Clicked(); }

private:
    // Shows the pictures of the folder in place of the shown ones; nothing changes when
    // it is not a folder.
    void showFolder(const QString &folder);
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void reload();
    void selectionChanged();

    LibraryBrowserModel *m_model = nullptr;
    double m_zoom = 0.4;
};
