#include "Export_Template.h"

#include "Globals.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "MessageBox.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

QString Export_Template::userTemplateFolder() { return Created_Resource_Path + QStringLiteral("Templates/User"); }

Export_Template::Export_Template(QWidget *parent) : QDialog(parent)
{
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Template name:")));
    template_name = new QLineEdit;
    layout->addWidget(template_name);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &Export_Template::OKPressed);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });
}

int Export_Template::Open_Wnd(const QString &title)
{
    setWindowTitle(title);
    return Run_Then_Hide(*this);
}

void Export_Template::OKPressed()
{
    const QString name = Remove_Reserve_Char_In_File_Name(Trim_Str(template_name->text()));
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter template name."));
        return;
    }
    const bool exists =
        QFileInfo::exists(userTemplateFolder() + u'/' + name + u'.' + design_file_EXT);
    if (template_passed.isEmpty()) {
        if (exists && Show_YES_NO_MessageBox(QStringLiteral(
                          "Template with this name already exists, Do you want to replace the existing template?")) != 1)
            return;
    } else if (template_passed != name && exists) {
        Show_MessageBox(QStringLiteral("Template with this name already exists."));
        return;
    }
    export_template_name = name;
    done(1);
}
