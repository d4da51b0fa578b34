// One desk recording visits: opens the store, adds one visit and closes it again, as
// the add-to-database button does, COUNT times. Arguments: the database file, the
// count and a name prefix. Prints the number of failed inserts; exit code 0 when none
// failed.
#include "Globals.h"
#include "VisitorRecordStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: visitorlog_desk_probe DATABASE COUNT PREFIX\n");
        return 2;
    }
    Database_Path = QString::fromLocal8Bit(argv[1]);
    const int count = QByteArray(argv[2]).toInt();
    const QString prefix = QString::fromLocal8Bit(argv[3]);
    int failed = 0;
    VisitorRecordStore store;
    for (int i = 0; i < count; ++i) {
        Visitor_Record r;
        r.Date_Time_Stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        r.front.values[VName] = QStringLiteral("%1 %2").arg(prefix).arg(i);
        if (!store.Open_DB_Connection() || !store.Insert_Visitor_Record(r)) ++failed;
        store.Close_DB_Connection();
    }
    std::printf("%d\n", failed);
    return failed == 0 ? 0 : 1;
}
