#include "Profile_Dialog.h"

#include "Picture.h"

#include "Dialogs.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Modal_Runner.h"
#include "Visitor_Fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kManual = QStringLiteral("M");
QString seriesKey(const QString &name) { return QStringLiteral("S:") + name; }
QString columnKey(int column) { return QStringLiteral("X:%1").arg(column); }
const QString kImport = QStringLiteral("E");
} // namespace

Profile_Dialog::Profile_Dialog(bool twoSides, Profile_Dialog_Host *host, QWidget *parent, Modal_Runner *runner)
    : QDialog(parent), m_runner(runner), m_twoSides(twoSides), m_host(host)
{
    // Each source box remembers its last choice; "Excel..." imports a workbook.
    auto watchSource = [this](QComboBox *box) {
        connect(box, &QComboBox::activated, this, [this, box](int index) {
            if (box->itemData(index).toString() == kImport) importSpreadsheet(box);
            else box->setProperty("kept", box->itemData(index));
            showFirstValue(box);
        });
    };
    setObjectName(twoSides ? QStringLiteral("User_profile") : QStringLiteral("Show_User_Profile"));
    setWindowTitle(tr("Profile"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Caption")), 0, 1);
    grid->addWidget(new QLabel(tr("Value")), 0, 2);
    grid->addWidget(new QLabel(tr("Source")), 0, 3);
    for (int i = 0; i < kProfileTextStemCount; ++i) {
        Field_Row &r = rows[size_t(i)];
        const QString stem = User_Profile_Class::Stem_Name(Profile_Stem(i));
        r.title = new QLabel(this);
        r.caption = new QLineEdit(this);
        r.caption->setObjectName(stem + QStringLiteral("_label"));
        r.value = new QLineEdit(this);
        r.value->setObjectName(stem);
        r.source = new QComboBox(this);
        r.source->setObjectName(stem + QStringLiteral("_source"));
        watchSource(r.source);
        grid->addWidget(r.title, i + 1, 0);
        grid->addWidget(r.caption, i + 1, 1);
        grid->addWidget(r.value, i + 1, 2);
        grid->addWidget(r.source, i + 1, 3);
    }
    int row = kProfileTextStemCount + 1;
    image_USE = new QCheckBox(tr("Use photo"), this);
    image_USE->setObjectName(QStringLiteral("image_USE"));
    image_path = new QLineEdit(this);
    image_path->setObjectName(QStringLiteral("image"));
    image_source = new QComboBox(this);
    watchSource(image_source);
    grid->addWidget(image_USE, row, 0);
    grid->addWidget(image_path, row, 1, 1, 2);
    grid->addWidget(image_source, row++, 3);
    auto *photoButtons = new QHBoxLayout;
    Browse_btn = new QPushButton(tr("Browse..."), this);
    Camera_btn = new QPushButton(tr("Camera..."), this);
    photoButtons->addWidget(Browse_btn);
    photoButtons->addWidget(Camera_btn);
    photoButtons->addStretch(1);
    grid->addLayout(photoButtons, row++, 1, 1, 3);
    auto *buttons = new QHBoxLayout;
    Preview_btn = new QPushButton(tr("Preview"), this);
    Cancel_btn = new QPushButton(tr("Cancel"), this);
    OK_btn = new QPushButton(tr("OK"), this);
    OK_btn->setDefault(true);
    buttons->addWidget(Preview_btn);
    buttons->addStretch(1);
    buttons->addWidget(Cancel_btn);
    buttons->addWidget(OK_btn);
    grid->addLayout(buttons, row, 0, 1, 4);
    grid->setRowStretch(row + 1, 1);
    connect(OK_btn, &QPushButton::clicked, this, &Profile_Dialog::OK_Btn_Clicked);
    connect(Cancel_btn, &QPushButton::clicked, this, &Profile_Dialog::Cancel_Btn_Clicked);
    connect(Preview_btn, &QPushButton::clicked, this, &Profile_Dialog::Preview_Btn_Clicked);
    connect(Browse_btn, &QPushButton::clicked, this, &Profile_Dialog::Browse_Btn_Clicked);
    connect(Camera_btn, &QPushButton::clicked, this, &Profile_Dialog::Camera_Btn_Clicked);
}

std::vector<User_Profile_Class *> Profile_Dialog::Edited_Records() const
{
    if (!m_host) return {};
    const QString side = load_side.trimmed();
    if (!m_twoSides && side == QLatin1String("F")) return {&m_host->Profile_Record(0)};
    if (!m_twoSides && side == QLatin1String("B")) return {&m_host->Profile_Record(1)};
    return {&m_host->Profile_Record(0), &m_host->Profile_Record(1)};
}

int Profile_Dialog::Open_Wnd(char flag)
{
    m_result = 0;
    m_previewing = false;
    Camera_btn->setEnabled(bool(run_camera));
    fillSources();
    const std::vector<User_Profile_Class *> records = Edited_Records();
    User_Profile_Class empty;
    empty.Reset_All_Values();
    Load_Fields(flag && !records.empty() ? *records.front() : empty);
    Run_Modal(m_runner, *this);
    endPreview();
    // Cancel changes nothing: the host takes back what the dialog's imports changed.
    if (m_result != 1 && m_host) m_host->Profile_Cancelled();
    return m_result;
}

void Profile_Dialog::fillSources()
{
    QStringList series, columns;
    if (m_host) {
        series = m_host->Profile_Series_Names();
        columns = m_host->Profile_Column_Names();
    }
    auto fill = [&](QComboBox *box) {
        box->clear();
        box->addItem(tr("Manual"), kManual);
        for (const QString &s : series) box->addItem(tr("Series: %1").arg(s), seriesKey(s));
        for (int c = 0; c < columns.size(); ++c) box->addItem(tr("Column: %1").arg(columns[c]), columnKey(c));
        box->addItem(tr("Excel..."), kImport);
    };
    for (Field_Row &r : rows) fill(r.source);
    fill(image_source);
}

void Profile_Dialog::showFirstValue(QComboBox *box)
{
    const QString key = box->currentData().toString();
    if (!m_host || !key.startsWith(QLatin1String("X:"))) return;
    const QString value = m_host->Profile_Column_Value_Shown(key.mid(2).toInt());
    if (box == image_source) image_path->setText(value);
    for (Field_Row &r : rows)
        if (r.source == box) r.value->setText(value);
}

QString Profile_Dialog::rowName(const QComboBox *box) const
{
    QString name = box == image_source ? image_USE->text() : QString();
    for (const Field_Row &r : rows)
        if (r.source == box) name = r.title->text();
    name = name.trimmed();
    if (name.endsWith(u':')) name.chop(1);
    return name.trimmed();
}

void Profile_Dialog::importSpreadsheet(QComboBox *box)
{
    // Every box keeps the meaning of its choice across the new workbook: a column is
    // kept by its name and shows its first value from the new rows, and a row whose
    // column the new workbook lacks goes back to Manual (the message names it). The
    // picking box gets the first column of the new rows, or goes back to what it showed.
    const QStringList before = m_host ? m_host->Profile_Column_Names() : QStringList();
    std::vector<std::pair<QComboBox *, QString>> kept;
    auto keep = [&](QComboBox *b) {
        kept.emplace_back(b, b == box ? b->property("kept").toString() : b->currentData().toString());
    };
    for (Field_Row &r : rows) keep(r.source);
    keep(image_source);
    const bool imported = m_host && m_host->Profile_Import_Spreadsheet();
    const QStringList after = imported ? m_host->Profile_Column_Names() : before;
    if (imported) fillSources();
    QStringList manual;
    for (auto &[b, key] : kept) {
        QString now = key;
        if (imported && b == box) {
            now = columnKey(1);  // the first column after the row number
        } else if (imported && key.startsWith(QLatin1String("X:"))) {
            const int old = key.mid(2).toInt();
            const QString name = old >= 0 && old < before.size() ? before[old] : QString();
            const int at = name.isEmpty() ? -1 : int(after.indexOf(name));
            now = at >= 0 ? columnKey(at) : kManual;
            if (at < 0) manual << (name.isEmpty() ? rowName(b) : tr("%1 (column \"%2\")").arg(rowName(b), name));
        }
        const int at = b->findData(now);
        b->setCurrentIndex(at >= 0 ? at : 0);
        b->setProperty("kept", b->currentData());
        if (imported) showFirstValue(b);
    }
    if (!manual.isEmpty())
        Show_MessageBox(tr("The new workbook has no column for these rows; they are set to Manual:\n") + manual.join(u'\n'));
}

void Profile_Dialog::showSource(QComboBox *box, const Profile_Field &field)
{
    const QString key = field.ds ? seriesKey(field.ds_name) : field.xl ? columnKey(field.xl_col_indx) : kManual;
    box->setProperty("kept", key);
    int index = box->findData(key);
    if (index < 0) {
        // A source the design no longer offers is still shown as it is.
        box->addItem(field.ds ? field.ds_name : QStringLiteral("Column %1").arg(field.xl_col_indx), key);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

void Profile_Dialog::storeSource(const QComboBox *box, Profile_Field &field)
{
    const QString key = box->currentData().toString();
    field.ds = key.startsWith(QLatin1String("S:"));
    field.xl = key.startsWith(QLatin1String("X:"));
    if (field.ds) {
        const QString name = key.mid(2);
        if (field.ds_name != name) field.ds_indx = 0;
        field.ds_name = name;
    }
    if (field.xl) field.xl_col_indx = key.mid(2).toInt();
}

void Profile_Dialog::Load_Fields(const User_Profile_Class &record)
{
    const auto &captions = Visitor_Fixed_Fields();
    for (int i = 0; i < kProfileTextStemCount; ++i) {
        Field_Row &r = rows[size_t(i)];
        const Profile_Field &f = record[Profile_Stem(i)];
        // The captions of the fields as they stand when the dialog runs.
        r.title->setText(*captions[size_t(i)].caption);
        // The caption written on the card is the record's; the field's own caption is
        // offered as a hint.
        r.caption->setText(f.label);
        r.caption->setPlaceholderText(*captions[size_t(i)].caption);
        r.value->setText(f.value);
        showSource(r.source, f);
    }
    const Profile_Field &photo = record[Profile_Stem::image];
    image_USE->setText(Title_image);
    image_USE->setChecked(record.image_USE != 0);
    image_path->setText(photo.value);
    showSource(image_source, photo);
}

void Profile_Dialog::Store_Fields(User_Profile_Class &record) const
{
    for (int i = 0; i < kProfileTextStemCount; ++i) {
        const Field_Row &r = rows[size_t(i)];
        Profile_Field &f = record[Profile_Stem(i)];
        f.label = r.caption->text();
        f.value = r.value->text();
        storeSource(r.source, f);
    }
    Profile_Field &photo = record[Profile_Stem::image];
    photo.value = image_path->text().trimmed();
    storeSource(image_source, photo);
    record.image_USE = image_USE->isChecked() ? 1 : 0;
}

void Profile_Dialog::OK_Btn_Clicked()
{
    for (User_Profile_Class *r : Edited_Records()) Store_Fields(*r);
    m_result = 1;
    endPreview();
    if (isVisible()) done(1);
}

void Profile_Dialog::Cancel_Btn_Clicked()
{
    m_result = 0;
    endPreview();
    if (isVisible()) done(0);
}

void Profile_Dialog::Preview_Btn_Clicked()
{
    if (!m_host) return;
    for (User_Profile_Class *r : Edited_Records()) Store_Fields(*r);
    const QString side = m_twoSides ? (m_host->Profile_Current_Side() == 1 ? QStringLiteral("B") : QStringLiteral("F"))
                                    : load_side;
    m_host->Profile_Preview(side);
    m_previewing = true;
}

void Profile_Dialog::endPreview()
{
    if (!m_previewing || !m_host) return;
    m_previewing = false;
    m_host->Profile_Preview_End();
}

void Profile_Dialog::Browse_Btn_Clicked()
{
    FilePanelRequest request;
    request.title = tr("Choose Photo");
    if (m_host) request.extensions = m_host->Profile_Image_File_Types();
    const QStringList chosen = Run_File_Panel(request);
    // A file that cannot be read as a picture is refused with a message.
    if (!chosen.isEmpty() && Picture_File_Opens(chosen.front())) Set_User_Image(chosen.front());
}

void Profile_Dialog::Camera_Btn_Clicked()
{
    if (!run_camera) return;
    const QString picture = run_camera();
    if (!picture.isEmpty()) Set_User_Image(picture);
}

void Profile_Dialog::Set_User_Image(const QString &path)
{
    image_path->setText(path);
    image_USE->setChecked(true);
}
