#include <QtTest>

#include "QtTestSupport.h"

class Placeholder_test_table : public QObject {
    Q_OBJECT
private slots:
    void builds() {}
};

QTEST_MAIN(Placeholder_test_table)
#include "test_table.moc"
