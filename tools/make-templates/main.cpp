// make-templates: makes the application's built-in templates, each a design file
// with a preview picture of the same name, in <resources>/Templates/<category>/.
//
//   make-templates <resources folder> [<review folder>]
//
// With a review folder, both sides of every template are also drawn there larger, to
// look at while designing.
//
// The designs are built here with the application's own card classes and written
// with its own design-file writer; run this tool again after changing a design and
// commit the templates with the change.
#include "Build.h"

#include "Globals.h"
#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3 || !QFileInfo(QString::fromLocal8Bit(argv[1])).isDir()) {
        std::fprintf(stderr, "usage: make-templates <resources folder> [<review folder>]\n");
        return 2;
    }
    Locate_Application_Paths();
    // The pictures the templates use are those of the folder being written.
    Resource_Path = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');

    std::vector<templates::Template> all;
    for (auto make : {templates::Visitor_Pass_Templates, templates::Id_Card_Templates, templates::Invitation_Templates})
        for (templates::Template &t : make()) all.push_back(std::move(t));

    const QString review = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    int failed = 0;
    for (const templates::Template &t : all) {
        QString error;
        if (!review.isEmpty()) templates::Draw_For_Review(review, t);
        if (templates::Write_Template(Resource_Path, t, &error)) {
            std::printf("%s/%s\n", qPrintable(t.category), qPrintable(t.name));
        } else {
            std::fprintf(stderr, "%s/%s: %s\n", qPrintable(t.category), qPrintable(t.name), qPrintable(error));
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
