#include "Import_Wizard.h"

#include "Dialogs.h"
#include "FileWrite.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "ListImport.h"
#include "MessageBox.h"
#include "SeriesFile.h"
#include "SheetImport.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

// An existing item at the trimmed path, or the message.
bool validPath(const QString &path)
{
    const QString p = Trim_Str(path);
    if (!p.isEmpty() && QFileInfo::exists(p)) return true;
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return false;
}
} // namespace

Import_Wizard::Import_Wizard(SeriesServices services, QWidget *parent)
    : SeriesDialog(parent), m_services(std::move(services))
{
    setWindowTitle(tr("Import List"));
    Excel_RD = new QRadioButton(tr("Spreadsheet (xlsx)"));
    Text_RD = new QRadioButton(tr("Text file (txt, rtf, csv)"));
    Mnul_RD = new QRadioButton(tr("Paste a list"));
    Image_RD = new QRadioButton(tr("Image folder"));
    auto *group = new QButtonGroup(this);
    int id = 0;
    for (QRadioButton *r : {Excel_RD, Text_RD, Mnul_RD, Image_RD}) group->addButton(r, id++);
    connect(group, &QButtonGroup::idClicked, this, &Import_Wizard::Choose_Source);
    Excel_path = new QLineEdit;
    Text_path = new QLineEdit;
    Image_path = new QLineEdit;
    Text_file_name = new QLineEdit;
    Manual_file_name = new QLineEdit;
    Image_file_name = new QLineEdit;
    Excel_btn = Command_Button(tr("Browse..."), this, &Import_Wizard::Browse_Excel_Pressed);
    Text_btn = Command_Button(tr("Browse..."), this, &Import_Wizard::Browse_Text_Pressed);
    Image_btn = Command_Button(tr("Browse..."), this, &Import_Wizard::Browse_Image_Pressed);
    ManualEdit = new QPlainTextEdit;
    ok = Command_Button(tr("OK"), this, &Import_Wizard::OKPressed);
    cancel = Command_Button(tr("Cancel"), this, [this] { done(0); });
    help = Command_Button(tr("Help"), this, [] { Open_Help_File(); });
    ok->setDefault(true);

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Excel_RD, row++, 0, 1, 3);
    grid->addWidget(Excel_path, row, 0, 1, 2);
    grid->addWidget(Excel_btn, row++, 2);
    grid->addWidget(Text_RD, row++, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Series name:")), row, 0);
    grid->addWidget(Text_file_name, row++, 1, 1, 2);
    grid->addWidget(Text_path, row, 0, 1, 2);
    grid->addWidget(Text_btn, row++, 2);
    grid->addWidget(Mnul_RD, row++, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Series name:")), row, 0);
    grid->addWidget(Manual_file_name, row++, 1, 1, 2);
    grid->addWidget(ManualEdit, row++, 0, 1, 3);
    grid->addWidget(Image_RD, row++, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Series name:")), row, 0);
    grid->addWidget(Image_file_name, row++, 1, 1, 2);
    grid->addWidget(Image_path, row, 0, 1, 2);
    grid->addWidget(Image_btn, row++, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(520, 560);
}

Import_Excel &Import_Wizard::excelWindow()
{
    if (!m_excel) {
        m_excel = new Import_Excel(nullptr, [this](const QString &v) {
            if (Create_Value_List) Create_Value_List(v);
        }, this);
        m_excel->pleaseWait() = m_services.pleaseWait;
    }
    return *m_excel;
}

Import_Excel_DataSheet &Import_Wizard::columnsWindow()
{
    if (!m_columns) m_columns = new Import_Excel_DataSheet(m_services, this);
    return *m_columns;
}

void Import_Wizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    for (QLineEdit *e : {Excel_path, Text_path, Image_path, Text_file_name, Manual_file_name, Image_file_name}) e->clear();
    ManualEdit->clear();
    const bool named = file_name_required == 1;
    for (QLineEdit *e : {Text_file_name, Manual_file_name, Image_file_name}) {
        e->setVisible(named);
        if (auto *grid = qobject_cast<QGridLayout *>(layout()->itemAt(0)->layout())) {
            const int index = grid->indexOf(e);
            int r = 0, c = 0, rs = 0, cs = 0;
            grid->getItemPosition(index, &r, &c, &rs, &cs);
            if (QLayoutItem *label = grid->itemAtPosition(r, 0)) label->widget()->setVisible(named);
        }
    }
    Choose_Source(0);
    runModal();
}

void Import_Wizard::Choose_Source(int option)
{
    import_option = std::clamp(option, 0, 3);
    QRadioButton *radios[] = {Excel_RD, Text_RD, Mnul_RD, Image_RD};
    const std::vector<QWidget *> parts[] = {{Excel_btn, Excel_path},
                                            {Text_btn, Text_path, Text_file_name},
                                            {ManualEdit, Manual_file_name},
                                            {Image_btn, Image_path, Image_file_name}};
    QLineEdit *names[] = {nullptr, Text_file_name, Manual_file_name, Image_file_name};
    for (int i = 0; i < 4; ++i) {
        radios[i]->setChecked(i == import_option);
        for (QWidget *w : parts[i]) w->setEnabled(i == import_option);
    }
    if (QLineEdit *name = names[import_option]; name && Trim_Str(name->text()).isEmpty())
        name->setText(SeriesFile::Default_Name());
}

void Import_Wizard::Browse_Excel_Pressed()
{
    FilePanelRequest request;
    request.title = tr("Choose a spreadsheet");
    request.extensions = {QStringLiteral("xlsx")};
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return;
    Excel_path->setText(chosen.first());
    OKPressed();
}

void Import_Wizard::Browse_Text_Pressed()
{
    FilePanelRequest request;
    request.title = tr("Choose a list");
    request.extensions = {QStringLiteral("txt"), QStringLiteral("rtf"), QStringLiteral("csv")};
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return;
    Text_path->setText(chosen.first());
    OKPressed();
}

void Import_Wizard::Browse_Image_Pressed()
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFolder;
    request.title = tr("Choose an image folder");
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return;
    Image_path->setText(chosen.first());
    OKPressed();
}

void Import_Wizard::OKPressed()
{
    switch (import_option) {
    case 0: {
        if (!validPath(Excel_path->text())) return;
        const QString path = Trim_Str(Excel_path->text());
        if (file_name_required != 1) {
            excelWindow().open_mode = QStringLiteral("D");
            excelWindow().Open_excel_Wnd(path);
        } else {
            hide();
            columnsWindow().file_name_Insert = file_name_Insert;
            columnsWindow().Fill_List = Fill_List;
            columnsWindow().Open_excel_datasheet_Wnd(path);
        }
        done(1);
        return;
    }
    case 1:
        if (validPath(Text_path->text()) && Create_And_Save_Text_Data_Sheet(Trim_Str(Text_path->text()))) done(1);
        return;
    case 2:
        if (Create_And_Save_Manual_Paste_data_Sheet()) done(1);
        return;
    default:
        if (validPath(Image_path->text()) && Create_And_Save_Image_data_Sheet(Trim_Str(Image_path->text()))) done(1);
        return;
    }
}

std::optional<QString> Import_Wizard::seriesName(QLineEdit *field)
{
    const SeriesFile::Name_Check name = SeriesFile::Check_Name(field->text(), File_Name_Max(m_services.folder));
    if (!name.refusal.isEmpty()) {
        Show_MessageBox(name.refusal);
        field->setFocus();
        return std::nullopt;
    }
    return name.name;
}

bool Import_Wizard::deliver(const std::optional<QString> &name, const QStringList &values)
{
    if (file_name_required == 1) {
        if (!name || !SeriesImport::May_Create(m_services.target(), *name)) return false;
        if (!SeriesFile::Write(SeriesFile::Path(m_services.folder, *name), values)) {
            Show_MessageBox(QStringLiteral("Error in file accessing."));
            return false;
        }
    } else if (Create_Value_List) {
        for (const QString &v : values) Create_Value_List(v);
    }
    if (file_name_Insert == 1 && Fill_List) Fill_List();
    return true;
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString &path)
{
    std::optional<QString> name;
    if (file_name_required == 1 && !(name = seriesName(Text_file_name))) return false;
    QStringList values;
    {
        auto wait = m_services.wait(this);
        const std::optional<QByteArray> bytes = SeriesFile::Read_Bytes(path);
        if (!bytes) {
            wait.reset();
            Show_MessageBox(QStringLiteral("Please select a valid file."));
            return false;
        }
        if (Trim_Str(ListImport::File_Text(path, *bytes)).isEmpty()) {
            Show_MessageBox(kCorrupt);
            return false;
        }
        values = ListImport::File_Values(path, *bytes);
    }
    return deliver(name, values);
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet()
{
    std::optional<QString> name;
    if (file_name_required == 1 && !(name = seriesName(Manual_file_name))) return false;
    const QStringList lines = ListImport::Pasted_Lines(ManualEdit->toPlainText());
    if (lines.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter some data."));
        return false;
    }
    return deliver(name, lines);
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString &folder)
{
    std::optional<QString> name;
    if (file_name_required == 1 && !(name = seriesName(Image_file_name))) return false;
    const QStringList values = ListImport::Image_Folder_Values(folder);
    if (values.isEmpty()) {
        Show_MessageBox(QStringLiteral("The selected folder does not contains any image with supported extension."));
        return false;
    }
    return deliver(name, values);
}
