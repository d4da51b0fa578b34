#include "Generate_List.h"

#include "FileWrite.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "SeriesFile.h"
#include "ValueGenerator.h"
#include "LayoutParts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QValidator>
#include <QVBoxLayout>

namespace VG = ValueGenerator;

const QString Generate_List::kHelpTitle = QStringLiteral("Maintain number of Digits By adding 0's before smaller values. ");
const QString Generate_List::kHelpText = QStringLiteral(
    "For example:\r\nIf you have to generate a series having values from '0' to '200', this option automatically "
    "converts small values such as '1' to '001' and '11' to '011' to maintain number of digits same as the highest "
    "value in the series.\r\n\r\nSimilarly, if you have selected a series starting from '001' to '00200', this option "
    "automatically converts small values such as '001' to '00001' and '0011' to '00011' to maintain number of digits "
    "same as the highest value in the series.");

namespace {
// Digits with an optional sign; any other key is refused with a beep.
class IntegerOnly : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        if (VG::Integer_Partial_Valid(input)) return Acceptable;
        QApplication::beep();
        return Invalid;
    }
};
} // namespace

Generate_List::Generate_List(SeriesServices services, QWidget *parent)
    : SeriesDialog(parent), m_services(std::move(services))
{
    setWindowTitle(tr("Create Series"));
    random = [] { return QRandomGenerator::system()->generate(); };
    auto line = [](const char *name) {
        auto *e = new QLineEdit;
        e->setObjectName(QLatin1String(name));
        return e;
    };
    radioButton_Sequntial = new QRadioButton(tr("Sequential"));
    radioButton_Constant = new QRadioButton(tr("Constant"));
    radioButton_Random = new QRadioButton(tr("Random"));
    auto *group = new QButtonGroup(this);
    group->addButton(radioButton_Sequntial, 0);
    group->addButton(radioButton_Constant, 1);
    group->addButton(radioButton_Random, 2);
    connect(group, &QButtonGroup::idClicked, this, &Generate_List::Choose_Rule);

    seq_file_name = line("seq_file_name");
    const_file_name = line("const_file_name");
    rndm_file_name = line("rndm_file_name");
    prefix_txt = line("prefix_txt");
    suffix_txt = line("suffix_txt");
    from_txt = line("from_txt");
    to_txt = line("to_txt");
    value_txt = line("value_txt");
    count_txt = line("count_txt");
    rand_prefix_txt = line("rand_prefix_txt");
    rand_suffix_txt = line("rand_suffix_txt");
    rand_length_txt = line("rand_length_txt");
    rand_count_txt = line("rand_count_txt");
    manage_digit_chk = new QCheckBox(tr("Leading zeros"));
    help_btn = Command_Button(tr("?"), this, &Generate_List::Help_btn_Pressed);
    help_btn->setFixedWidth(28);
    auto stepper = [](int max) {
        auto *s = new QSpinBox;
        s->setRange(1, max);
        s->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        s->setMaximumWidth(18);
        return s;
    };
    count_stepper = stepper(VG::kMaxCount);
    rand_length_stepper = stepper(9);
    rand_count_stepper = stepper(VG::kMaxCount);
    for (QLineEdit *e : {from_txt, to_txt, count_txt, rand_count_txt, rand_length_txt}) {
        e->setValidator(new IntegerOnly(e));
        connect(e, &QLineEdit::textEdited, this, [this, e] { typed(e); });
    }
    const std::pair<QSpinBox *, QLineEdit *> pairs[] = {
        {count_stepper, count_txt}, {rand_length_stepper, rand_length_txt}, {rand_count_stepper, rand_count_txt}};
    for (const auto &[s, e] : pairs)
        connect(s, &QSpinBox::valueChanged, e, [e = e](int v) { e->setText(QString::number(v)); });

    // A rule's box: its choice, then the name of the series it makes.
    auto ruleBox = [](QRadioButton *choice, QLineEdit *name) {
        auto *box = new QGroupBox;
        auto *form = new QFormLayout(box);
        form->addRow(choice);
        form->addRow(tr("Series name:"), name);
        return std::pair{box, form};
    };
    const auto [seq, seqForm] = ruleBox(radioButton_Sequntial, seq_file_name);
    seqForm->addRow(tr("Prefix:"), prefix_txt);
    seqForm->addRow(tr("From:"), from_txt);
    seqForm->addRow(tr("To:"), to_txt);
    seqForm->addRow(tr("Suffix:"), suffix_txt);
    auto *digits = new QHBoxLayout;
    digits->addWidget(manage_digit_chk);
    digits->addWidget(help_btn);
    digits->addStretch();
    seqForm->addRow(digits);

    auto withStepper = [](QLineEdit *e, QSpinBox *s) { return Side_By_Side({e, s}); };
    const auto [con, conForm] = ruleBox(radioButton_Constant, const_file_name);
    conForm->addRow(tr("Value:"), value_txt);
    conForm->addRow(tr("Count:"), withStepper(count_txt, count_stepper));

    const auto [rnd, rndForm] = ruleBox(radioButton_Random, rndm_file_name);
    rndForm->addRow(tr("Prefix:"), rand_prefix_txt);
    rndForm->addRow(tr("Digits:"), withStepper(rand_length_txt, rand_length_stepper));
    rndForm->addRow(tr("Suffix:"), rand_suffix_txt);
    rndForm->addRow(tr("Count:"), withStepper(rand_count_txt, rand_count_stepper));

    ok = Command_Button(tr("OK"), this, &Generate_List::OKPressed);
    cancel = Command_Button(tr("Cancel"), this, &Generate_List::CancelPressed);
    ok->setDefault(true);
    auto *groups = Side_By_Side({seq, con, rnd});
    Stack_Layout(this, {groups, Button_Row({ok, cancel})});
    resize(760, 300);
}

int Generate_List::Open_Wnd()
{
    const bool named = file_name_required == 1;
    for (QLineEdit *e : {seq_file_name, const_file_name, rndm_file_name}) {
        e->clear();
        e->setVisible(named);
        if (auto *form = qobject_cast<QFormLayout *>(e->parentWidget()->layout()))
            if (QWidget *label = form->labelForField(e)) label->setVisible(named);
    }
    if (named) seq_file_name->setText(SeriesFile::Default_Name());
    manage_digit_chk->setChecked(false);
    for (QLineEdit *e : {prefix_txt, suffix_txt, from_txt, to_txt, value_txt, rand_prefix_txt, rand_suffix_txt}) e->clear();
    for (QLineEdit *e : {count_txt, rand_length_txt, rand_count_txt}) e->setText(QStringLiteral("1"));
    for (QSpinBox *s : {count_stepper, rand_length_stepper, rand_count_stepper}) {
        const QSignalBlocker block(s);
        s->setValue(1);
    }
    Choose_Rule(0);
    prefix_txt->setFocus();
    return runModal();
}

void Generate_List::Choose_Rule(int rule)
{
    m_rule = rule;
    QRadioButton *radios[] = {radioButton_Sequntial, radioButton_Constant, radioButton_Random};
    QLineEdit *names[] = {seq_file_name, const_file_name, rndm_file_name};
    const std::vector<QWidget *> fields[] = {
        {prefix_txt, suffix_txt, from_txt, to_txt, help_btn, manage_digit_chk},
        {value_txt, count_txt, count_stepper},
        {rand_prefix_txt, rand_suffix_txt, rand_length_txt, rand_length_stepper, rand_count_txt, rand_count_stepper}};
    for (int r = 0; r < 3; ++r) {
        radios[r]->setChecked(r == rule);
        names[r]->setEnabled(r == rule);
        for (QWidget *w : fields[r]) w->setEnabled(r == rule);
    }
    if (Trim_Str(names[rule]->text()).isEmpty()) names[rule]->setText(SeriesFile::Default_Name());
}

void Generate_List::typed(QLineEdit *field)
{
    QString text = field->text();
    QSpinBox *stepper = nullptr;
    if (field == count_txt || field == rand_count_txt) {
        text = VG::Count_Field_Text(text);
        stepper = field == count_txt ? count_stepper : rand_count_stepper;
    } else if (field == rand_length_txt) {
        text = VG::Length_Field_Text(text);
        stepper = rand_length_stepper;
    } else {
        text = VG::Range_Field_Text(text);
    }
    if (text != field->text()) field->setText(text);
    if (stepper) {
        const QSignalBlocker block(stepper);
        stepper->setValue(VG::Field_Int(text));
    }
}

void Generate_List::Help_btn_Pressed() { Show_MessageBox(kHelpTitle + QStringLiteral("\n\n") + kHelpText); }

void Generate_List::OKPressed()
{
    QStringList values;
    QLineEdit *nameField = seq_file_name;
    auto refuse = [&](const VG::Refusal &r) {
        Show_MessageBox(r.message);
        QLineEdit *focus[] = {from_txt, to_txt, value_txt, m_rule == 1 ? count_txt : rand_count_txt, rand_length_txt};
        focus[int(r.field)]->setFocus();
    };
    if (m_rule == 0) {
        const VG::Sequence s = VG::Sequential(prefix_txt->text(), suffix_txt->text(), from_txt->text(), to_txt->text(),
                                              manage_digit_chk->isChecked());
        if (s.refusal) return refuse(*s.refusal);
        values = s.values;
    } else if (m_rule == 1) {
        if (const auto r = VG::Check_Constant(value_txt->text(), count_txt->text())) return refuse(*r);
        values = VG::Constant(value_txt->text(), VG::Field_Int(count_txt->text()));
        nameField = const_file_name;
    } else {
        if (const auto r = VG::Check_Random(rand_count_txt->text(), rand_length_txt->text())) return refuse(*r);
        values = VG::Random(rand_prefix_txt->text(), rand_suffix_txt->text(), VG::Field_Int(rand_length_txt->text()),
                            VG::Field_Int(rand_count_txt->text()), random);
        nameField = rndm_file_name;
    }
    if (file_name_required == 1) {
        const SeriesFile::Name_Check name =
            SeriesFile::Check_Name(nameField->text(), File_Name_Max(m_services.folder));
        if (!name.refusal.isEmpty()) {
            Show_MessageBox(name.refusal);
            nameField->setFocus();
            return;
        }
        if (!SeriesImport::May_Create(m_services.target(), name.name)) return;
        const auto wait = m_services.wait(this);
        if (!SeriesFile::Write(SeriesFile::Path(m_services.folder, name.name), values)) {
            Show_MessageBox(QStringLiteral("Error in file accessing."));
            return;
        }
    } else if (Create_Value_List) {
        for (const QString &v : values) Create_Value_List(v);
    }
    if (file_name_Insert == 1 && Fill_List) Fill_List();
    done(1);
}
