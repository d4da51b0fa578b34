#include "Start_Card.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "Paths.h"
#include "Template_Gallery.h"
#include "Wizard_Card_Page.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *kUserCategory = "User";

QString userTemplateFolder() { return Created_Resource_Path + QStringLiteral("Templates/User"); }
QString templateFolder(const QString &category)
{
    return category == QLatin1String(kUserCategory) ? userTemplateFolder()
                                                    : Resource_Path + QStringLiteral("Templates/") + category;
}
} // namespace

Start_Card::Start_Card(std::function<int(const QString &sides)> open_profile) : m_openProfile(std::move(open_profile))
{
    setWindowTitle(tr("Start a new card"));
    setModal(true);
    resize(760, 520);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(tr("Choose a blank card or a template to begin with."));
    layout->addWidget(title);
    m_category = new QComboBox;
    layout->addWidget(m_category);
    // The template list is the galleries' own widget; this window chooses its categories.
    m_gallery = new Template_Gallery(Resource_Path + QStringLiteral("Templates"), userTemplateFolder());
    m_gallery->Set_Choosers_Visible(false);
    m_gallery->Set_Grid_Margin(QSize(30, 40));
    m_gallery->imageBrowser->setWordWrap(true);
    layout->addWidget(m_gallery, 1);
    auto *buttons = new QDialogButtonBox;
    cardWizardButton = buttons->addButton(tr("Card Wizard..."), QDialogButtonBox::ActionRole);
    invitationWizardButton = buttons->addButton(tr("Invitation Wizard..."), QDialogButtonBox::ActionRole);
    profileButton = buttons->addButton(tr("Profile..."), QDialogButtonBox::ActionRole);
    openButton = buttons->addButton(tr("Open"), QDialogButtonBox::AcceptRole);
    cancelButton = buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(openButton, &QPushButton::clicked, this, [this] {
        if (list()->currentItem()) {
            m_selected = m_gallery->Selected_Template_Path();
            m_road = Start_Road::Open;
            done(1);
        }
    });
    connect(cancelButton, &QPushButton::clicked, this, [this] { done(0); });
    connect(cardWizardButton, &QPushButton::clicked, this, [this] {
        m_road = Start_Road::Card_Wizard;
        done(1);
    });
    connect(invitationWizardButton, &QPushButton::clicked, this, [this] {
        m_road = Start_Road::Invitation_Wizard;
        done(1);
    });
    connect(profileButton, &QPushButton::clicked, this, [this] {
        if (m_openProfile) m_openProfile(QStringLiteral("2"));
    });
    connect(list(), &QListWidget::currentItemChanged, this, &Start_Card::updateProfileButton);
    connect(list(), &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_selected = item->data(Qt::UserRole).toString();
        m_road = Start_Road::Open;
        done(1);
    });
    connect(m_category, &QComboBox::currentTextChanged, this, &Start_Card::fillCategory);
}

QStringList Start_Card::templateCategories()
{
    QStringList categories = Get_Folder_Array_At_Path(Resource_Path + QStringLiteral("Templates"));
    categories.sort();
    categories << QLatin1String(kUserCategory);
    return categories;
}

QStringList Start_Card::templatesOfCategory(const QString &category)
{
    QStringList paths;
    const QString folder = templateFolder(category);
    for (const QString &name : Get_Files_Array_At_Path(folder, 0))
        if (QFileInfo(name).suffix().compare(design_file_EXT, Qt::CaseInsensitive) == 0)
            paths << Path_Join(folder, name);
    return paths;
}

QListWidget *Start_Card::list() const { return m_gallery->imageBrowser; }

void Start_Card::fillCategory(const QString &category)
{
    m_gallery->Show_Designs(templatesOfCategory(category), true);
    updateProfileButton();
}

void Start_Card::updateProfileButton()
{
    const QString path = list()->currentItem() ? m_gallery->Selected_Template_Path() : QString();
    profileButton->setEnabled(!path.isEmpty() && QFileInfo::exists(path));
}

int Start_Card::Open_Wnd()
{
    m_selected.clear();
    m_road = Start_Road::Cancel;
    const QString current = m_category->currentText();
    m_category->blockSignals(true);
    m_category->clear();
    m_category->addItems(templateCategories());
    m_category->blockSignals(false);
    // Visitor passes first: the main use of the application.
    const int at = m_category->findText(current.isEmpty() ? QStringLiteral("Visitor") : current);
    m_category->setCurrentIndex(at >= 0 ? at : 0);
    fillCategory(m_category->currentText());
    const int result = Run_Wizard(*this);
    if (result != 1) m_road = Start_Road::Cancel;
    return result;
}
