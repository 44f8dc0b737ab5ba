#include <QtTest>

#include "QtTestSupport.h"

class Placeholder_test_mainwindow : public QObject {
    Q_OBJECT
private slots:
    void builds() {}
};

QTEST_MAIN(Placeholder_test_mainwindow)
#include "test_mainwindow.moc"
