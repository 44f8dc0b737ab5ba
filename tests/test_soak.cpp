#include <QtTest>

#include "QtTestSupport.h"

class Placeholder_soak : public QObject {
    Q_OBJECT
private slots:
    void builds() {}
};

QTEST_MAIN(Placeholder_soak)
#include "test_soak.moc"
