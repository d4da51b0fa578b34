#pragma once
// The promotion window: one of our other products with its picture, title, short and
// long description, and buttons that open a prepared mail, a contact mail, the order
// page and our video channel.
#include "Maker_Links.h"

#include <QDialog>
#include <QImage>
#include <map>
#include <vector>

class QLabel;
class QPushButton;
class Repeat_Image;

class Promotion_Form : public QDialog {
    Q_OBJECT
public:
    explicit Promotion_Form(QWidget *parent = nullptr);

    // The product to show: "B", "L" or "C" (Maker_Links.h); set by the opening button.
    QString software_type;

    QLabel *Software_title = nullptr;
    QLabel *short_descp = nullptr;
    QLabel *long_descp = nullptr;
    QLabel *bundle_image = nullptr;
    QPushButton *support_id = nullptr;
    QPushButton *website_1 = nullptr;

    // The window's background, repeated under its content.
    void setBackgroundPattern(const QImage &pattern);

    // Fills the window for software_type (another key changes no field) and runs it
    // modally; the run's result, 1 from OK. A failure is logged and gives 0.
    int Open_Promotion_Window();
    void OK_Clicked() { done(1); }
    // Opens the link with the default application (a failure is logged).
    void Open_Link(const QString &url);
    // The shown product's links; another key opens an empty link.
    void Mail_Clicked();
    void Contact_us_Clicked();
    void Order_Clicked();
    void youtube_Clicked();

    // The background colour of the window and of its link buttons.
    static QColor backgroundColour();

private:
    const Promotion_Product *product() const;
    void styleLinkButton(QPushButton *button);

    Repeat_Image *m_pattern = nullptr;
    std::vector<Promotion_Product> m_products;
    std::map<QString, QImage> m_pictures;
};
