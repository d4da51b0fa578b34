#pragma once
// The start window: the gallery from which a new design begins, a blank card or a
// template of a category (the application's own templates and the user's).
#include <QDialog>
#include <QString>

class QListWidget;
class QComboBox;

class Start_Card : public QDialog {
    Q_OBJECT
public:
    static Start_Card *defaultInstance();

    // Runs the gallery; returns 1 with the choice in selectedTemplatePath() ("" for a
    // blank card), or 0 for Cancel.
    int Open_Wnd();
    QString selectedTemplatePath() const { return m_selected; }

    // Categories: the folders under the resources' "Templates", then "User" for the
    // user's own templates.
    static QStringList templateCategories();
    // The design files of a category, full paths in listing order.
    static QStringList templatesOfCategory(const QString &category);

private:
    Start_Card();
    void fillCategory(const QString &category);

    QComboBox *m_category = nullptr;
    QListWidget *m_list = nullptr;
    QString m_selected;
};
