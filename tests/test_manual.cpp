#include <QtTest>

#include "QtTestSupport.h"

class Placeholder_test_manual : public QObject {
    Q_OBJECT
private slots:
    void builds() {}
};

QTEST_MAIN(Placeholder_test_manual)
#include "test_manual.moc"
