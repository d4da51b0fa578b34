#pragma once
// The grid settings dialog. Its controls act on the grid at once; OK and Cancel only
// end the modal run (1 and 0).
#include "WidgetDecls.h"

#include <QDialog>
#include <QPointer>

class SKTGrid;

class Grid_Wizard : public QDialog {
    Q_OBJECT
public:
    explicit Grid_Wizard(QWidget *parent = nullptr);

    // Fills the controls from the grid, which the controls then edit.
    void setGrid(SKTGrid *grid);
    SKTGrid *grid() const { return m_grid; }

    // Runs the dialog modally and hides it; returns 1 for OK, 0 for Cancel.
    int Open_Wnd();

    // Spacing range of the slider, in card points.
    static constexpr int kMinSpacing = 1;
    static constexpr int kMaxSpacing = 72;

    QCheckBox *showCheck() const { return m_show; }
    QCheckBox *snapCheck() const { return m_snap; }
    QGroupBox *optionsBox() const { return m_options; }
    QPushButton *colorButton() const { return m_colorButton; }
    QSlider *spacingSlider() const { return m_spacing; }

public slots:
    void Grid_Show_Changed(bool shown);
    void Grid_Snap_Changed(bool snap);
    void Grid_Color_Changed(const QColor &color);
    void Grid_Spacing_Changed(int spacing);
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();

private:
    void chooseColor();
    void showColor(const QColor &color);
    void showSpacing(int spacing);

    QPointer<SKTGrid> m_grid;
    QCheckBox *m_show = nullptr;
    QCheckBox *m_snap = nullptr;
    QGroupBox *m_options = nullptr;
    QPushButton *m_colorButton = nullptr;
    QSlider *m_spacing = nullptr;
    QLabel *m_spacingValue = nullptr;
};
