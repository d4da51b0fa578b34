#include "ColorWell.h"
#include "ControlPanels.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace control_panels_test {

namespace {
struct Window : TestWindow {
    ControlPanels &panels = *controller.controlPanels;
    QTabWidget &tabs = *controller.ui.sett_tab;
    Window()
    {
        testsupport::boxes().clear();
        testsupport::clearFilePanels();
    }
    // As a click on the control does.
    void show(const GraphicPtr &g)
    {
        controller._graphicView->selectGraphics({g.get()});
        controller.Set_Selected_Graphic(g.get());
        controller.Show_RHS_Properties(g.get());
    }
    QWidget *page(int tab) const { return controller.ui.tabPages[size_t(tab)]; }
    std::vector<QWidget *> controlTabs() const
    {
        std::vector<QWidget *> v;
        for (int i = 5; i < tabs.count(); ++i) v.push_back(tabs.widget(i));
        return v;
    }
    int undo() const { return controller.Get_Undo_Count(); }
};

void pick(ColorWell *well, const QColor &c)
{
    well->setColor(c);
    emit well->colorChanged(c);
}
} // namespace

TEST(ControlPanels, ATextControlShowsTheTextTabsFilledFromIt)
{
    Window w;
    GraphicPtr t = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    t->Set_text_value("Hello\nthere");
    t->text_ctrl_font = Font_With_Name(Text_Ctrl_Font, 20);
    t->text_alignmnet = 1;
    t->txt_clr = Qt::red;
    t->control_ID = "Fup_Name";
    w.show(t);

    EXPECT_EQ(w.controlTabs(), (std::vector<QWidget *>{w.page(text_edtng_tab), w.page(text_prop_tab), w.page(datasource_tab), w.page(Lock_tab)}));
    EXPECT_EQ(w.tabs.currentWidget(), w.page(text_edtng_tab));
    EXPECT_EQ(w.panels.text.value->toPlainText(), "Hello\nthere");
    EXPECT_DOUBLE_EQ(w.panels.text.size->value(), 20);
    EXPECT_EQ(w.panels.text.align->currentIndex(), 1);
    EXPECT_EQ(w.panels.text.color->color(), QColor(Qt::red));
    EXPECT_EQ(w.panels.lock.controlID->text(), "Fup_Name");
    EXPECT_TRUE(w.panels.lock.controlID->isReadOnly());
    EXPECT_FALSE(w.panels.text.valuePause->isActive()) << "filling the box is not typing";
    EXPECT_EQ(w.undo(), 0) << "showing records nothing";
}

TEST(ControlPanels, TextEditsChangeTheControlAndRecordOneSnapshotEach)
{
    Window w;
    GraphicPtr t = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    w.show(t);

    // Typing waits for a pause; every keystroke restarts it.
    w.panels.text.value->setPlainText("W");
    w.panels.text.value->setPlainText("Wo");
    w.panels.text.value->setPlainText("World");
    EXPECT_EQ(t->Text_Value, "Text here") << "nothing written while typing";
    EXPECT_TRUE(w.panels.text.valuePause->isActive());
    w.panels.commitPendingEdits();
    EXPECT_EQ(t->Text_Value, "World");
    EXPECT_EQ(w.undo(), 2) << "the state before, then the typed text";

    w.panels.text.size->setValue(18);
    EXPECT_DOUBLE_EQ(t->text_ctrl_font->pointSizeF(), 18);
    w.panels.text.align->setCurrentIndex(0);
    EXPECT_EQ(t->text_alignmnet, 0);
    pick(w.panels.text.color, Qt::green);
    EXPECT_EQ(t->txt_clr, QColor(Qt::green));
    w.panels.text.rotation->setValue(45);
    EXPECT_EQ(t->text_rotation, 45);
    EXPECT_EQ(w.undo(), 6);

    // Undo takes back one edit at a time: the rotation, then the colour.
    w.controller.Undo_Action_Perform();
    w.controller.Undo_Action_Perform();
    SKTGraphic *restored = w.top(w.front());
    EXPECT_EQ(restored->text_rotation, 0);
    EXPECT_EQ(restored->txt_clr, QColor(Qt::black));
    EXPECT_EQ(restored->text_alignmnet, 0);
    EXPECT_DOUBLE_EQ(restored->text_ctrl_font->pointSizeF(), 18);
    EXPECT_EQ(restored->Text_Value, "World");
}

TEST(ControlPanels, TypedTextGoesToItsControlWhenAnotherIsShownBeforeThePause)
{
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    GraphicPtr b = w.add(w.front(), GraphicKind::Text, {10, 40, 80, 20});
    w.show(a);
    w.panels.text.value->setPlainText("for a");
    w.show(b);
    EXPECT_EQ(a->Text_Value, "for a");
    EXPECT_EQ(b->Text_Value, "Text here");
    EXPECT_EQ(w.panels.text.value->toPlainText(), "Text here");

    // Another edit of the same control also writes the text first, so that the box is
    // not refilled from the control and the typing lost.
    w.panels.text.value->setPlainText("for b");
    w.panels.text.bold->setChecked(true);
    EXPECT_EQ(b->Text_Value, "for b");
    EXPECT_TRUE(b->text_ctrl_font->bold());
    EXPECT_EQ(w.panels.text.value->toPlainText(), "for b");
}

TEST(ControlPanels, TextTypedBeforeASideSwitchIsWrittenAndUndoneOnItsSide)
{
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    w.show(a);
    w.panels.text.value->setPlainText("front text");
    w.controller.Select_back_side();
    EXPECT_EQ(a->Text_Value, "front text");

    w.controller.Select_front_side();
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.top(w.front())->Text_Value, "Text here");
}

TEST(ControlPanels, UndoRightAfterTypingTakesBackTheTyping)
{
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    w.show(a);
    w.panels.text.align->setCurrentIndex(0);
    w.panels.text.value->setPlainText("typed");
    w.command("Undo")->trigger();
    EXPECT_EQ(w.top(w.front())->Text_Value, "Text here");
    EXPECT_EQ(w.top(w.front())->text_alignmnet, 0) << "the edit before the typing stays";
    w.command("Redo")->trigger();
    EXPECT_EQ(w.top(w.front())->Text_Value, "typed");
}

TEST(ControlPanels, TextTypedJustBeforeSaveOrSideCopyIsPartOfIt)
{
    // Ctrl+S or the toolbar leaves the focus in the text box: the pause has not run out.
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    w.show(a);
    w.panels.text.value->setPlainText("saved text");
    w.document.Project_File_Name = testsupport::testHome() + "/typed.zcd";
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
    {
        TestWindow other;
        ASSERT_EQ(other.controller.Read_and_load_design_Log_NEW_METHOD(w.document.Project_File_Name, Card_Mode::Opened, false), 1);
        ASSERT_EQ(other.front().count(), 1);
        EXPECT_EQ(other.front().at(0)->Text_Value, "saved text");
    }
    w.document.Project_File_Name.clear();

    w.panels.text.value->setPlainText("copied text");
    testsupport::boxes().answerNext(1);
    w.controller.Copy_Card_Design_Clicked();
    ASSERT_EQ(w.back().count(), 1);
    EXPECT_EQ(w.back().at(0)->Text_Value, "copied text");
    EXPECT_EQ(w.front().at(0)->Text_Value, "copied text");
}

TEST(ControlPanels, AnEditWritesOnlyItsOwnField)
{
    Window w;
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 10, 50, 50});
    s->_strokeWidth = 1.234;           // more decimals than the width box shows
    s->_stroke_border_type = "XYZ";    // no item of the style list
    s->text_rotation = 1000;           // beyond the rotation box
    w.show(s);
    pick(w.panels.shape.fillColor, Qt::yellow);
    w.panels.shape.fillOn->setChecked(false);
    EXPECT_EQ(s->_fillColor.rgb(), QColor(Qt::yellow).rgb());
    EXPECT_FALSE(s->_isDrawingFill);
    EXPECT_DOUBLE_EQ(s->_strokeWidth, 1.234);
    EXPECT_EQ(s->_stroke_border_type, "XYZ");
    EXPECT_EQ(s->text_rotation, 1000);
    // The whole panel written at once leaves them alone as well.
    EXPECT_FALSE(w.panels.Update_Shape_Graphics());
    EXPECT_DOUBLE_EQ(s->_strokeWidth, 1.234);
}

TEST(ControlPanels, TheShapePanelChangesTypeAndFillKind)
{
    Window w;
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 10, 50, 50});
    w.show(s);
    EXPECT_EQ(w.controlTabs(), (std::vector<QWidget *>{w.page(shape_tab), w.page(Lock_tab)}));
    EXPECT_FALSE(w.panels.shape.doubleStar->isEnabled());

    w.panels.shape.type->setCurrentIndex(6);
    EXPECT_EQ(s->_shape_type, "DS");
    EXPECT_TRUE(w.panels.shape.doubleStar->isEnabled());
    w.panels.shape.doubleStar->setCurrentIndex(2);
    EXPECT_EQ(s->double_star_type, 3);

    ASSERT_GT(w.panels.shape.hatch->count(), 0);
    w.panels.shape.fillKind->setCurrentIndex(2);
    EXPECT_EQ(s->_fill_type, "H");
    EXPECT_EQ(s->_fill_hatch_type, w.panels.shape.hatch->itemText(0)) << "a hatch gets a pattern";
    EXPECT_TRUE(w.panels.shape.hatch->isEnabled());
    EXPECT_FALSE(w.panels.shape.fillColor->isEnabled());
    w.panels.shape.fillKind->setCurrentIndex(1);
    EXPECT_EQ(s->_fill_type, "G");
    w.panels.shape.gradientAngle->setValue(90);
    EXPECT_DOUBLE_EQ(s->_fill_grad_angle, 90);
}

TEST(ControlPanels, OpacitySlidersStoreFractions)
{
    Window w;
    GraphicPtr l = w.add(w.front(), GraphicKind::Line, {10, 10, 50, 0});
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 30, 50, 50});
    GraphicPtr t = w.add(w.front(), GraphicKind::Text, {10, 90, 50, 20});

    w.show(l);
    EXPECT_EQ(w.panels.line.opacity->value(), 100) << "a new control's 100.0 shows as fully opaque";
    w.panels.line.opacity->setValue(50);
    EXPECT_FLOAT_EQ(l->alpha_val_stroke, 0.5f);
    w.panels.line.cap->setCurrentIndex(1);
    EXPECT_EQ(l->_line_cap_style, 1);
    w.panels.line.stroke.style->setCurrentIndex(3);
    EXPECT_EQ(l->_stroke_border_type, "DD");

    w.show(s);
    w.panels.shape.fillOpacity->setValue(50);
    EXPECT_FLOAT_EQ(s->alpha_val, 0.5f);

    w.show(t);
    w.panels.text.shadowOn->setChecked(true);
    w.panels.text.shadowOpacity->setValue(30);
    EXPECT_FLOAT_EQ(t->Shadow_transparency, 0.3f);
    w.show(l);
    EXPECT_EQ(w.panels.line.opacity->value(), 50);
}

TEST(ControlPanels, DraggingASliderRecordsOneSnapshot)
{
    Window w;
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 10, 50, 50});
    w.show(s);
    QSlider *slider = w.panels.shape.fillOpacity;
    slider->setSliderDown(true);
    slider->setValue(80);
    slider->setValue(60);
    EXPECT_FLOAT_EQ(s->alpha_val, 0.6f) << "the card follows the drag";
    EXPECT_EQ(w.undo(), 1) << "only the state before so far";
    slider->setSliderDown(false);
    EXPECT_EQ(w.undo(), 2);
}

TEST(ControlPanels, ALockedControlsPanelsAreDisabled)
{
    Window w;
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 10, 50, 50});
    s->ctrl_is_locked = true;
    w.show(s);
    EXPECT_FALSE(w.panels.pageBody[shape_tab]->isEnabled());
    EXPECT_FALSE(w.panels.lock.flags->isEnabled());
    EXPECT_FALSE(w.panels.lock.lockBtn->isEnabled());
    EXPECT_TRUE(w.panels.lock.unlockBtn->isEnabled());
    w.panels.shape.type->setCurrentIndex(1);
    EXPECT_EQ(s->_shape_type, "R") << "nothing reaches a locked control";

    // Unlocking from the lock tab enables the panels and keeps the tab.
    w.tabs.setCurrentWidget(w.page(Lock_tab));
    w.panels.lock.unlockBtn->click();
    EXPECT_FALSE(s->ctrl_is_locked);
    EXPECT_TRUE(w.panels.pageBody[shape_tab]->isEnabled());
    EXPECT_EQ(w.tabs.currentWidget(), w.page(Lock_tab));
}

TEST(ControlPanels, SelectingNothingLeavesTheFiveCardTabs)
{
    Window w;
    GraphicPtr t = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    GraphicPtr l = w.add(w.front(), GraphicKind::Line, {10, 40, 80, 0});
    w.show(t);
    w.tabs.setCurrentWidget(w.page(text_prop_tab));
    w.show(l);
    EXPECT_EQ(w.controlTabs(), (std::vector<QWidget *>{w.page(line_tab), w.page(Lock_tab)}));
    EXPECT_EQ(w.tabs.currentWidget(), w.page(line_tab)) << "another kind starts at its first tab";

    w.controller.Show_RHS_Properties(nullptr);
    EXPECT_EQ(w.tabs.count(), 5);
    EXPECT_EQ(w.tabs.currentIndex(), 0);
    EXPECT_EQ(w.panels.shownControl(), nullptr);
}

TEST(ControlPanels, AControlThatLeftItsSideIsNotWritten)
{
    Window w;
    GraphicPtr s = w.add(w.front(), GraphicKind::Shape, {10, 10, 50, 50});
    w.show(s);
    w.front().remove(s.get());
    w.panels.shape.type->setCurrentIndex(1);
    EXPECT_EQ(s->_shape_type, "R");
    EXPECT_EQ(w.undo(), 0);
}

TEST(ControlPanels, TheImagePanelSetsPictureOpacityFlipsAndBorder)
{
    Window w;
    GraphicPtr img = w.add(w.front(), GraphicKind::Image, {10, 10, 50, 50});
    img->_file_path = "/no/such/picture.png";
    w.show(img);
    EXPECT_TRUE(w.panels.image.invalid_source_label->isVisibleTo(w.panels.pageBody[image_tab]));

    const QString picture = Resource_Path + "no.png";
    testsupport::queueFilePanelAnswer({picture});
    w.panels.image.browse->click();
    EXPECT_EQ(img->FilePath(), picture);
    EXPECT_FALSE(img->_contents.isNull());
    EXPECT_EQ(w.panels.image.path->text(), picture);
    EXPECT_FALSE(w.panels.image.invalid_source_label->isVisibleTo(w.panels.pageBody[image_tab]));

    w.panels.image.transparency->setValue(40);
    EXPECT_FLOAT_EQ(img->img_trnsp_val, 40) << "a picture's opacity is kept in percent";
    w.panels.image.flipH->setChecked(true);
    EXPECT_TRUE(img->_isFlippedHorizontally);
    w.panels.image.border.on->setChecked(true);
    EXPECT_TRUE(img->_isDrawingStroke);

    // A new picture on the side resets the controls, which alone writes nothing; the
    // reset button writes the defaults.
    w.add(w.front(), GraphicKind::Signature, {0, 0, 5, 5});
    EXPECT_EQ(w.panels.image.transparency->value(), 100);
    EXPECT_FLOAT_EQ(img->img_trnsp_val, 40);
    w.show(img);
    w.panels.image.reset->click();
    EXPECT_FLOAT_EQ(img->img_trnsp_val, 100);
    EXPECT_FALSE(img->_isFlippedHorizontally);
    EXPECT_FALSE(img->_isDrawingStroke);
}

TEST(ControlPanels, ThePrintAndVisibilityFlags)
{
    Window w;
    GraphicPtr b = w.add(w.front(), GraphicKind::Barcode, {10, 10, 50, 50});
    w.show(b);
    EXPECT_EQ(w.controlTabs(), (std::vector<QWidget *>{w.page(barcode_tab), w.page(Lock_tab)}));
    w.panels.lock.leaveOutOfPrint->setChecked(true);
    EXPECT_EQ(b->print_object, 1);
    w.panels.lock.visible->setChecked(false);
    EXPECT_FALSE(b->ctrl_is_visible);
}

} // namespace control_panels_test
