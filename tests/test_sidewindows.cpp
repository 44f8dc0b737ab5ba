#include <QtTest>

#include "QtTestSupport.h"

class Placeholder_test_sidewindows : public QObject {
    Q_OBJECT
private slots:
    void builds() {}
};

QTEST_MAIN(Placeholder_test_sidewindows)
#include "test_sidewindows.moc"
