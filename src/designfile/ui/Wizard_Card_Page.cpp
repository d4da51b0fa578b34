#include "Wizard_Card_Page.h"

#include "CardResize.h"

#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

QSizeF Wizard_Card_Size_Points(const QString &category, const QString &orientation, int row)
{
    const QSizeF mm = Get_My_card_Size(category, orientation, row);
    return {mm.width() * 72.0 / 25.4, mm.height() * 72.0 / 25.4};
}

Wizard_Card_Page::Wizard_Card_Page(QStringList pvc, QStringList paper, QWidget *parent)
    : QWidget(parent), m_pvc(std::move(pvc)), m_paper(std::move(paper))
{
    auto *form = new QFormLayout(this);
    category = new QComboBox;
    category->addItems({QStringLiteral("PVC Card"), QStringLiteral("Paper Card")});
    orientation = new QComboBox;
    orientation->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
    sizes = new QListWidget;
    sides = new QListWidget;
    sides->addItems({QStringLiteral("Front and Back"), QStringLiteral("Front Only")});
    sides->setMaximumHeight(60);
    form->addRow(tr("Category"), category);
    form->addRow(tr("Orientation"), orientation);
    form->addRow(tr("Size"), sizes);
    form->addRow(tr("Sides"), sides);
    connect(category, &QComboBox::currentIndexChanged, this, &Wizard_Card_Page::fillSizes);
    fillSizes();
    sides->setCurrentRow(0);
}

void Wizard_Card_Page::fillSizes()
{
    sizes->clear();
    sizes->addItems(category->currentIndex() == 1 ? m_paper : m_pvc);
    sizes->setCurrentRow(0);
}

void Wizard_Card_Page::select(const QString &cat, const QString &ori, int row, int sidesItem)
{
    category->setCurrentIndex(std::max(0, category->findText(cat)));
    orientation->setCurrentIndex(std::max(0, orientation->findText(ori)));
    sizes->setCurrentRow(row);
    sides->setCurrentRow(sidesItem);
}

QString Wizard_Card_Page::sidesValue() const
{
    return sides->currentRow() > 0 ? QStringLiteral("1") : QStringLiteral("2");
}

Wizard_Card_Choice Wizard_Card_Page::choice() const
{
    Wizard_Card_Choice c;
    c.category = category->currentText();
    c.orientation = orientation->currentIndex() == 1 ? QStringLiteral("V") : QStringLiteral("H");
    c.row = sizes->currentRow();
    c.preset = sizes->currentItem() ? sizes->currentItem()->text() : QString();
    c.sides = sidesValue();
    c.size = Wizard_Card_Size_Points(c.category, c.orientation, c.row);
    return c;
}

void Paint_Wizard_Pattern(QWidget &w, const QImage &pattern)
{
    if (pattern.isNull()) return;
    QPainter p(&w);
    p.drawTiledPixmap(w.rect(), QPixmap::fromImage(pattern));
}

int Run_Wizard(QDialog &wizard)
{
    const int result = wizard.exec();
    wizard.hide();
    return result == 1 ? 1 : 0;
}

void Pick_Library_Picture(const Wizard_Collaborators &with, QString &path, QLabel &name)
{
    if (!with.choose_library_picture) return;
    const std::optional<QString> chosen = with.choose_library_picture();
    if (!chosen || chosen->isEmpty()) return;
    path = *chosen;
    name.setText(QFileInfo(path).fileName());
}
