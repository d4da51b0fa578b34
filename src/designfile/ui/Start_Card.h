#pragma once
// The start window: the gallery from which a new design begins, a blank card or a
// template of a category (the application's own templates and the user's).
#include "Start_Choice.h"

#include <QDialog>
#include <QString>
#include <functional>

class Modal_Runner;
class QListWidget;
class QComboBox;
class QPushButton;
class Template_Gallery;

class Start_Card : public QDialog {
    Q_OBJECT
public:
    // open_profile runs the two-side profile dialog for a card of "2" sides (1 for OK).
    // runner: runs the gallery (null: exec()).
    explicit Start_Card(std::function<int(const QString &sides)> open_profile = {}, Modal_Runner *runner = nullptr);

    // Runs the gallery; returns 1 with the choice in selectedTemplatePath() ("" for a
    // blank card), or 0 for Cancel. road() tells which button ended it.
    int Open_Wnd();
    QString selectedTemplatePath() const { return m_selected; }
    Start_Road road() const { return m_road; }
    Start_Choice choice() const { return {m_road, m_selected}; }
    // Ends the gallery with the choice, as its buttons do (Cancel ends it with 0).
    void choose(const Start_Choice &choice);

    // "Profile..." is offered only while the selected item is a template whose file exists.
    void updateProfileButton();

    QListWidget *list() const;
    Template_Gallery *gallery() const { return m_gallery; }
    QComboBox *categories() const { return m_category; }
    QPushButton *openButton = nullptr, *cardWizardButton = nullptr, *invitationWizardButton = nullptr,
                *profileButton = nullptr, *cancelButton = nullptr;

    // Categories: the folders under the resources' "Templates", then "User" for the
    // user's own templates.
    static QStringList templateCategories();
    // The design files of a category, full paths in listing order.
    static QStringList templatesOfCategory(const QString &category);

private:
    void fillCategory(const QString &category);

    QComboBox *m_category = nullptr;
    Template_Gallery *m_gallery = nullptr;
    QString m_selected;
    Start_Road m_road = Start_Road::Cancel;
    std::function<int(const QString &)> m_openProfile;
    Modal_Runner *m_runner = nullptr;
};
