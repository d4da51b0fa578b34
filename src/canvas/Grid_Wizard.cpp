#include "Grid_Wizard.h"

#include "SKTGrid.h"
#include "LayoutParts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

Grid_Wizard::Grid_Wizard(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Grid"));
    setModal(true);
    Paint_Window_Background(*this);

    m_show = new QCheckBox(tr("Show Grid"));
    m_snap = new QCheckBox(tr("Snap to Grid"));
    m_colorButton = new QPushButton;
    m_colorButton->setFixedSize(48, 22);
    m_spacing = new QSlider(Qt::Horizontal);
    m_spacing->setRange(kMinSpacing, kMaxSpacing);
    m_spacingValue = new QLabel;
    m_spacingValue->setMinimumWidth(28);

    auto *spacingRow = Side_By_Side({{m_spacing, 1}, m_spacingValue});

    m_options = new QGroupBox(tr("Options"));
    auto *form = new QFormLayout(m_options);
    form->addRow(m_snap);
    form->addRow(tr("Color:"), m_colorButton);
    form->addRow(tr("Spacing:"), spacingRow);
    m_options->setEnabled(false);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Stack_Layout(this, {m_show, m_options, buttons});

    connect(m_show, &QCheckBox::toggled, this, &Grid_Wizard::Grid_Show_Changed);
    connect(m_snap, &QCheckBox::toggled, this, &Grid_Wizard::Grid_Snap_Changed);
    connect(m_colorButton, &QPushButton::clicked, this, &Grid_Wizard::chooseColor);
    connect(m_spacing, &QSlider::valueChanged, this, &Grid_Wizard::Grid_Spacing_Changed);
    connect(buttons, &QDialogButtonBox::accepted, this, &Grid_Wizard::OK_Btn_Clicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &Grid_Wizard::Cancel_Btn_Clicked);
}

void Grid_Wizard::setGrid(SKTGrid *grid)
{
    m_grid = grid;
    if (!grid) return;
    const QSignalBlocker b1(m_show), b2(m_snap), b3(m_spacing);
    m_show->setChecked(grid->isAlwaysShown());
    m_snap->setChecked(grid->isConstraining());
    m_options->setEnabled(grid->isAlwaysShown());
    showColor(grid->color());
    showSpacing(int(std::lround(grid->spacing())));
}

int Grid_Wizard::Open_Wnd()
{
    return Run_Then_Hide(*this);
}

void Grid_Wizard::Grid_Show_Changed(bool shown)
{
    m_options->setEnabled(shown);
    if (m_grid) m_grid->setAlwaysShown(shown);
}

void Grid_Wizard::Grid_Snap_Changed(bool snap)
{
    if (m_grid) m_grid->setConstraining(snap);
}

void Grid_Wizard::Grid_Color_Changed(const QColor &color)
{
    if (!color.isValid()) return;
    showColor(color);
    if (!m_grid) return;
    m_grid->setColor(color);
    m_grid->setAlwaysShown(true);
}

void Grid_Wizard::Grid_Spacing_Changed(int spacing)
{
    showSpacing(spacing);
    if (!m_grid) return;
    m_grid->setSpacing(spacing);
    m_grid->setAlwaysShown(true);
}

void Grid_Wizard::OK_Btn_Clicked() { done(1); }
void Grid_Wizard::Cancel_Btn_Clicked() { done(0); }

void Grid_Wizard::chooseColor()
{
    const QColor start = m_grid ? m_grid->color() : QColor(Qt::lightGray);
    const QColor chosen = QColorDialog::getColor(start, this, tr("Grid Color"), QColorDialog::ShowAlphaChannel);
    if (chosen.isValid() && chosen != start) Grid_Color_Changed(chosen);
}

void Grid_Wizard::showColor(const QColor &color)
{
    m_colorButton->setStyleSheet(QStringLiteral("background-color: rgba(%1, %2, %3, %4); border: 1px solid #888;")
                                     .arg(color.red())
                                     .arg(color.green())
                                     .arg(color.blue())
                                     .arg(color.alpha()));
}

void Grid_Wizard::showSpacing(int spacing)
{
    const QSignalBlocker block(m_spacing);
    m_spacing->setValue(spacing);
    m_spacingValue->setText(QString::number(m_spacing->value()));
}
