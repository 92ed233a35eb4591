// The rule of the next code and document number.
#include <QtTest>

#include "TokoTest.h"
#include "toko/Kode.h"

class KodeTest : public QObject {
  Q_OBJECT
 private slots:
  void codes() {
    QCOMPARE(toko::NextCode("PG", 3, "").code, QString("PG001"));
    QCOMPARE(toko::NextCode("PG", 3, "PG009").code, QString("PG010"));
    QCOMPARE(toko::NextCode("JL-", 7, "JL-0000041").code, QString("JL-0000042"));
    QCOMPARE(toko::NextCode("001.002.", 3, "001.002.041").code, QString("001.002.042"));
    QCOMPARE(toko::NextCode("JL-", 7, "").code, QString("JL-0000001"));
  }
  void lastSerialIsRefused() {
    for (const auto& [prefix, width, last] :
         {std::tuple<QString, int, QString>{"PG", 3, "PG999"}, {"001.", 3, "001.999"}, {"JL-", 7, "JL-9999999"}}) {
      const toko::NextCodeResult r = toko::NextCode(prefix, width, last);
      QVERIFY(!r.ok);
      QVERIFY(r.code.isEmpty());
      QVERIFY(!r.error.isEmpty());
    }
  }
};

TOKO_TEST(KodeTest);
#include "KodeTest.moc"
