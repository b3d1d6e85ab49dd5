// One clock per user: a second start finds the first, and can bring it to the front.
#include "platform/single_instance.h"

#include <QThread>
#include <QUuid>
#include <QtTest>
#include <atomic>

using platform::LocalInstanceGuard;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondClaimFailsAndActivatesTheFirst()
    {
        const QString title = "test-" + QUuid::createUuid().toString(QUuid::Id128);
        // The running instance answers from its own thread, as another process would.
        QThread thread;
        thread.start();
        auto *first = new LocalInstanceGuard(title);
        first->moveToThread(&thread);
        std::atomic<int> activations{0};
        connect(first, &platform::InstanceGuard::activationRequested, first,
                [&] { ++activations; }, Qt::DirectConnection);
        bool claimed = false;
        QMetaObject::invokeMethod(first, [&] { claimed = first->claim(); },
                                  Qt::BlockingQueuedConnection);
        QVERIFY(claimed);

        LocalInstanceGuard second(title);
        QVERIFY(!second.claim());
        QVERIFY(second.activateRunning());
        QTRY_COMPARE_WITH_TIMEOUT(activations.load(), 1, 10000);

        // Once the first has gone, the next start runs.
        QMetaObject::invokeMethod(first, [&] { delete first; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        LocalInstanceGuard third(title);
        QVERIFY(third.claim());
    }

    void activationWithoutAnyRunningInstanceFails()
    {
        LocalInstanceGuard nobody("test-" + QUuid::createUuid().toString(QUuid::Id128));
        QVERIFY(!nobody.activateRunning());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
